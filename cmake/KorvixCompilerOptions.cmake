# Warning and sanitizer flags shared by every Korvix target.
add_library(korvix_options INTERFACE)
target_compile_options(korvix_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
# GCC 12 reports -Wrestrict false positives inside std::string's own inlined code at -O2
# (GCC bug 105329); nothing in our code can silence them case by case.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(korvix_options INTERFACE -Wno-restrict)
endif()
if(KORVIX_WERROR)
    target_compile_options(korvix_options INTERFACE -Werror)
endif()
if(KORVIX_SANITIZE)
    target_compile_options(korvix_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(korvix_options INTERFACE -fsanitize=address,undefined)
endif()
if(KORVIX_FUZZ)
    # Every library is instrumented for coverage; only the fuzz targets link libFuzzer's main.
    target_compile_options(korvix_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    target_link_options(korvix_options INTERFACE -fsanitize=address,undefined)
endif()
# The core names things `slots` and `emit`; Qt's keyword macros would rewrite those names
# in any file that includes a core header after a Qt one (silently, in a template taking an
# `emit` callable). Korvix connects signals with lambdas and needs none of the keywords.
target_compile_definitions(korvix_options INTERFACE QT_NO_KEYWORDS)
