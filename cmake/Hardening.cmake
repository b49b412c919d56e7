# Debian's hardening of every binary an optimised build makes, as dpkg-buildflags gives it
# to a package build with "hardening=+all": fortified C library calls, stack protector,
# format checks, read-only relocations bound at start (relro, bindnow) and position-
# independent executables. The sanitizer builds leave it out: their run-time checks replace
# the fortified calls.
if(NOT KARVEX_SANITIZE)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  set(KARVEX_OPTIMISED $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  add_compile_options(
    "$<${KARVEX_OPTIMISED}:-D_FORTIFY_SOURCE=2;-fstack-protector-strong;-Wformat;-Werror=format-security>")
  add_link_options("$<${KARVEX_OPTIMISED}:LINKER:-z,relro;LINKER:-z,now>")
endif()
