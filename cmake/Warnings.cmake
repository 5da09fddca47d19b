# Options for the project's own targets: warnings as errors, and the system's
# 8-bit text. String literals are compiled into the ANSI code page of the
# users' Western European locale, so a Spanish message in the source is the
# same bytes the window and the tables hold.
add_library(tts_options INTERFACE)
if(MSVC)
  target_compile_options(tts_options INTERFACE /W4 /WX /utf-8 /execution-charset:windows-1252)
else()
  target_compile_options(tts_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion -Werror -finput-charset=UTF-8 -fexec-charset=CP1252)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports std::string's own inlined copies as overlapping (a known
  # false positive at -O2); the check stays on for everything else.
  target_compile_options(tts_options INTERFACE -Wno-restrict)
endif()
if(WIN32)
  target_compile_definitions(tts_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()
