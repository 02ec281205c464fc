# One INTERFACE target carries the language level and the warnings for every target.
add_library(tarno_flags INTERFACE)
target_compile_features(tarno_flags INTERFACE cxx_std_20)
target_compile_options(tarno_flags INTERFACE -Wall -Wextra)
if(TARNO_SANITIZE)
  target_compile_options(tarno_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                -fno-sanitize-recover=undefined)
  target_link_options(tarno_flags INTERFACE -fsanitize=address,undefined)
endif()
if(NOT TARNO_SANITIZE)
  # The hardening a Debian package is expected to have: checked string and memory functions in
  # optimised builds, and guarded stacks.
  target_compile_options(tarno_flags INTERFACE $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>
                                              -fstack-protector-strong)
endif()

# Qt text from bytes only where the code says which encoding: the files the editor reads and
# writes are Windows-1252, so no implicit conversion from or to 8-bit text. Linked PRIVATE by
# the libraries and programs that use Qt (tests are free of it).
add_library(tarno_testo_qt INTERFACE)
target_compile_definitions(tarno_testo_qt INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
target_compile_options(tarno_flags INTERFACE -Werror=return-type)
