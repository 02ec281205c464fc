#pragma once
// Routines every window runs when it loads: texts from the numbered string table, taken by the
// numbers that the window design puts into the dynamic properties "tag" (a string number
// followed by ";") and "toolId" (menu and tool-bar actions), and centring on the screen.

#include <QString>
#include <cstdint>

class QWidget;

namespace tarno {

// The text of string numero from the table built into the program; empty and *trovato false
// when there is no such string.
QString TestoRisorsa(int numero, bool* trovato = nullptr);
// The text of string numero, or sPredefinito (UTF-8) when the table has no such string.
QString TestoRisorsa(int numero, const char* sPredefinito);

// The string number held by a tag: when the tag is non-empty and contains ";", the text
// before the first ";" is taken and, if it is a number (blanks around it, an optional sign,
// digits, an optional decimal part and exponent, rounded halves to even), returned when it
// fits 32 bits. In every other case 0, which means "no string". "603;" gives 603; "abc;",
// "12" and "" give 0.
int32_t IdRisorsaDaTag(const QString& sTag);

// Texts of a window from the string table. The window title becomes the string of the
// window's "tag"; then every widget and action of the window whose "tag" holds a string
// number takes that string as its caption: the text of labels, buttons and check boxes, the
// title of group boxes and menus, the text of actions, and the tab captions of a tab widget
// (the string is split at "|", one part per tab in order). A control whose tag names no
// string, or a missing string, keeps its designed caption. Separate windows parented to this
// one (dialogs) are left to their own load; the menus of the window are part of it.
void CaricaTestiRisorse(QWidget* finestra);

// Captions and tool tips of the menu and tool-bar tools of a window: every action of the
// window with a dynamic property "toolId" (an integer) gets the text of string
// lBaseDidascalia + ID and the tool tip of string lBaseSuggerimento + ID; a missing string
// leaves that text as it is, except a missing tool tip in an interface other than Italian: the
// designed tip is Italian, so the tool tip becomes the caption (without "&" and "...").
// "&" access-key marks are kept as the strings give them.
void CaricaTestiMenu(QWidget* finestra, int32_t lBaseDidascalia, int32_t lBaseSuggerimento);

// Places a window in the middle of the screen that holds it:
// left = (screen width - window width) / 2, top = (screen height - window height) / 2,
// with the window's outer size. For a child widget its window is placed.
void CentraForm(QWidget* finestra);

}  // namespace tarno
