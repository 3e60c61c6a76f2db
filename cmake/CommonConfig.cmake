# Language level, warnings and defines that every target of the project links.
add_library(miravel6_common INTERFACE)
target_compile_features(miravel6_common INTERFACE cxx_std_20)
# CI builds with MIRAVEL6_WERROR=ON, so that a new warning fails the build there.
option(MIRAVEL6_WERROR "Treat compiler warnings as errors" OFF)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(miravel6_common INTERFACE
        -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor
        $<$<BOOL:${MIRAVEL6_WERROR}>:-Werror>)
elseif(MSVC)
    target_compile_options(miravel6_common INTERFACE /W4 $<$<BOOL:${MIRAVEL6_WERROR}>:/WX>)
endif()
target_compile_definitions(miravel6_common INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
target_include_directories(miravel6_common INTERFACE ${PROJECT_SOURCE_DIR})

option(MIRAVEL6_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(MIRAVEL6_SANITIZE)
    target_compile_options(miravel6_common INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(miravel6_common INTERFACE -fsanitize=address,undefined)
endif()

# The fuzzing build instruments every library for coverage.
if(MIRAVEL6_FUZZ)
    target_compile_options(miravel6_common INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    target_link_options(miravel6_common INTERFACE -fsanitize=address,undefined)
endif()
