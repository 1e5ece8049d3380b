# The release build is hardened as Debian builds its packages (dpkg-buildflags with hardening=+all):
# checked string and memory functions, a stack protector, position-independent programs and
# relocations made read-only at start-up. The sanitizer and fuzz builds keep their own instruments.
if(NOT ALBORA_SANITIZE AND NOT ALBORA_FUZZ)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options("$<$<CONFIG:Release>:-D_FORTIFY_SOURCE=2;-fstack-protector-strong;-fstack-clash-protection>")
  add_link_options("$<$<CONFIG:Release>:LINKER:-z,relro;LINKER:-z,now>")
endif()
