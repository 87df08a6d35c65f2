# The distribution's hardening of optimised Linux builds (not sanitised
# ones): fortified string and memory functions, the stack protector, and
# relocations made read-only and bound at start (bindnow). The flags are
# Debian's (dpkg-buildflags with hardening=+all) where dpkg-buildflags is,
# else the same set; debug information and optimisation stay the build
# type's. -DRP770_HARDEN=OFF builds without them.
option(RP770_HARDEN "Build optimised Linux builds with the distribution's hardening flags" ON)
if(RP770_HARDEN AND NOT RP770_SANITIZE AND CMAKE_SYSTEM_NAME STREQUAL "Linux"
   AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  find_program(RP770_DPKG_BUILDFLAGS dpkg-buildflags)
  if(RP770_DPKG_BUILDFLAGS)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
      execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                              ${RP770_DPKG_BUILDFLAGS} --get ${kind}
                      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
      separate_arguments(flags UNIX_COMMAND "${flags}")
      list(FILTER flags EXCLUDE REGEX "^-g|^-O|prefix-map=")
      set(RP770_HARDEN_${kind} ${flags})
    endforeach()
  else()
    set(RP770_HARDEN_CPPFLAGS -Wdate-time -D_FORTIFY_SOURCE=2)
    set(RP770_HARDEN_CXXFLAGS -fstack-protector-strong -Wformat -Werror=format-security)
    set(RP770_HARDEN_LDFLAGS -Wl,-z,relro -Wl,-z,now)
  endif()
  # Fortification works with the optimiser only.
  add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:${RP770_HARDEN_CPPFLAGS}>"
                      ${RP770_HARDEN_CXXFLAGS})
  add_link_options(${RP770_HARDEN_LDFLAGS})
endif()
