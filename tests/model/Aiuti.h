#pragma once
// The model tests' helpers are now the shared ones; this name stays only for the test
// programs that still include it.
#include "../support/Supporto.h"
