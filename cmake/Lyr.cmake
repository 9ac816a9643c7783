# Helpers shared by every folder: one library per subsystem, QtTest tests
# registered with CTest, sanitised twins of libraries for the tests that feed
# them bytes from outside, and Google Benchmark targets.

set(LYR_WARNINGS -Wall -Wextra)
set(LYR_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

# Every test runs headless, without touching a JACK server it did not ask for.
set(LYR_TEST_ENV
    QT_QPA_PLATFORM=offscreen
    JACK_NO_START_SERVER=1
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)

function(_lyr_asan_libs out)
    set(result)
    foreach(lib IN LISTS ARGN)
        if(lib MATCHES "^lyr_" AND NOT lib MATCHES "_asan$" AND NOT lib STREQUAL "lyr_resources" AND NOT lib STREQUAL "lyr_testsupport")
            list(APPEND result ${lib}_asan)
        else()
            list(APPEND result ${lib})
        endif()
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# lyr_sanitized_twin(<target>)
# An address/UB-sanitised twin <target>_asan of a static or object library of
# ours, built only when a sanitised test pulls it in: the same sources
# (objects of our libraries taken from their twins), include paths and
# libraries (ours replaced by their twins). Runs when the folder is done, so
# sources added after the library was declared are in.
function(lyr_sanitized_twin target)
    # Deferred arguments are read when the call runs: bake the name in now.
    cmake_language(EVAL CODE "cmake_language(DEFER CALL _lyr_sanitized_twin [[${target}]])")
endfunction()

function(_lyr_sanitized_twin target)
    get_target_property(type ${target} TYPE)
    get_target_property(sources ${target} SOURCES)
    get_target_property(includes ${target} INCLUDE_DIRECTORIES)
    get_target_property(libs ${target} LINK_LIBRARIES)
    list(TRANSFORM sources REPLACE "^\\$<TARGET_OBJECTS:(lyr_[a-z]+)>$" "$<TARGET_OBJECTS:\\1_asan>")
    if(type STREQUAL "OBJECT_LIBRARY")
        add_library(${target}_asan OBJECT EXCLUDE_FROM_ALL ${sources})
    else()
        add_library(${target}_asan STATIC EXCLUDE_FROM_ALL ${sources})
    endif()
    if(includes)
        target_include_directories(${target}_asan PUBLIC ${includes})
    endif()
    if(libs)
        _lyr_asan_libs(asan_libs ${libs})
        target_link_libraries(${target}_asan PUBLIC ${asan_libs})
    endif()
    target_compile_options(${target}_asan PRIVATE ${LYR_WARNINGS} ${LYR_SANITIZE})
    target_link_options(${target}_asan PUBLIC ${LYR_SANITIZE})
endfunction()

# lyr_add_library(<name> SOURCES ... [LIBS ...])
# Builds the static library lyr_<name> with the folder as its public include
# path, and its sanitised twin lyr_<name>_asan.
function(lyr_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    set(target lyr_${name})
    add_library(${target} STATIC ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    target_compile_options(${target} PRIVATE ${LYR_WARNINGS})
    lyr_sanitized_twin(${target})
endfunction()

# lyr_add_test(<name> SOURCES ... [LIBS ...] [SANITIZE] [JACK] [TIMEOUT s])
# A QtTest executable registered with CTest. SANITIZE links the sanitised
# twins of our libraries; JACK marks tests that need the JACK server that
# scripts/test starts. They run alone: the dummy driver drops MIDI data when a
# cycle is missed, and a busy machine makes it miss cycles.
function(lyr_add_test name)
    cmake_parse_arguments(ARG "SANITIZE;JACK" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set(libs ${ARG_LIBS})
    if(ARG_SANITIZE)
        _lyr_asan_libs(libs ${ARG_LIBS})
        target_compile_options(${name} PRIVATE ${LYR_SANITIZE})
        target_link_options(${name} PRIVATE ${LYR_SANITIZE})
    endif()
    target_link_libraries(${name} PRIVATE ${libs} lyr_testsupport Qt6::Test)
    target_compile_options(${name} PRIVATE ${LYR_WARNINGS})
    add_test(NAME ${name} COMMAND ${name})
    set(env ${LYR_TEST_ENV})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
    if(ARG_JACK)
        set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE LABELS jack)
    endif()
    if(ARG_TIMEOUT)
        set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    else()
        set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    endif()
endfunction()

# lyr_add_benchmark(<name> SOURCES ... [LIBS ...] [GUI])
# Built by the scripts, run by hand: build/benchmarks/<name>. GUI benchmarks
# get a main() with an offscreen QApplication.
function(lyr_add_benchmark name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE lyr_guibenchmain)
    endif()
    target_compile_options(${name} PRIVATE ${LYR_WARNINGS})
endfunction()
