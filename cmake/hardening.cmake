# The hardening Debian builds its packages with (dpkg-buildflags): stack protector, fortified libc
# calls, read-only relocations bound at start. The sanitised builds check all of that and more on
# their own, and fortified calls would slip past their checks; fortify also needs the optimiser.
if(NOT DRAVIK_SANITIZE)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection
                      $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
