# The distribution's hardening flags (stack protector, fortified libc calls,
# read-only relocations bound at start-up) for optimised builds, as Debian
# builds its own packages. They go onto kestrix_flags, which every target links.
# Debug builds keep plain flags: _FORTIFY_SOURCE needs optimisation and only
# warns without it. Sanitizer, fuzz and cross builds bring flags of their own.
option(KESTRIX_DISTRO_FLAGS "Build Release and RelWithDebInfo with dpkg-buildflags' hardening flags" ON)

function(kestrix_hardening target)
  if(NOT KESTRIX_DISTRO_FLAGS)
    return()
  endif()
  set(why "")
  if(CMAKE_CROSSCOMPILING)
    set(why "a cross build")
  elseif(KESTRIX_FUZZ)
    set(why "a fuzz build")
  elseif(CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    set(why "a sanitizer build")
  elseif(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(why "the compiler is ${CMAKE_CXX_COMPILER_ID}")
  endif()
  find_program(KESTRIX_DPKG_BUILDFLAGS dpkg-buildflags)
  mark_as_advanced(KESTRIX_DPKG_BUILDFLAGS)
  if(NOT why AND NOT KESTRIX_DPKG_BUILDFLAGS)
    set(why "dpkg-buildflags is missing (package dpkg-dev)")
  endif()
  if(why)
    message(STATUS "hardening: no distribution flags, ${why}")
    return()
  endif()

  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    # Run in the build folder: the file-prefix map that dpkg-buildflags derives
    # from the working folder then touches only generated sources, and a
    # debugger still finds the project's own.
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${KESTRIX_DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "hardening: dpkg-buildflags --get ${kind} failed")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # Optimisation and debug information stay the build type's choice.
    list(FILTER flags EXCLUDE REGEX "^-(g|O.*)$")
    set(${kind} ${flags})
  endforeach()

  set(optimised "$<CONFIG:Release,RelWithDebInfo>")
  target_compile_options(${target} INTERFACE "$<${optimised}:${CPPFLAGS};${CXXFLAGS}>")
  target_link_options(${target} INTERFACE "$<${optimised}:${LDFLAGS}>")
  list(JOIN CPPFLAGS " " text_cpp)
  list(JOIN CXXFLAGS " " text_cxx)
  list(JOIN LDFLAGS " " text_ld)
  message(STATUS "hardening: Release and RelWithDebInfo get ${text_cpp} ${text_cxx} ${text_ld}")
endfunction()
