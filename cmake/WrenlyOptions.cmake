# Everything we build links wrenly_options: one place for the language level, the warnings
# (errors, always) and the sanitizer switch.
add_library(wrenly_options INTERFACE)
target_compile_features(wrenly_options INTERFACE cxx_std_20)
target_compile_options(wrenly_options INTERFACE
  -Wall -Wextra -Wpedantic -Werror
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough
  # GCC 12 flags designated initialisers that rely on default member initialisers.
  -Wno-missing-field-initializers)

set(WRENLY_SANITIZE "" CACHE STRING "Sanitizers to build with, e.g. address,undefined")
if(WRENLY_SANITIZE)
  target_compile_options(wrenly_options INTERFACE
    -fsanitize=${WRENLY_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(wrenly_options INTERFACE -fsanitize=${WRENLY_SANITIZE})
endif()

# Strict Qt: no implicit conversions from 8-bit strings (our 8-bit text is Windows-1252, and
# only the platform layer may turn it into a QString) and no connections without a context.
add_library(wrenly_qt_options INTERFACE)
target_compile_definitions(wrenly_qt_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS QT_NO_FOREACH)
