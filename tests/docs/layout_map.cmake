# Checks that the layout map in docs/developer.md names every folder and source file pair:
#   cmake -DSOURCE_DIR=<tree> -DMAP=<developer.md> [-DBUILD_DIR=<build tree>] -P layout_map.cmake
# Named must be each top-level folder, each folder that holds a .h or .cpp file, and each such
# file's stem in its folder, but for tests (*_test.cpp), named after the concept they test. The map
# is the "## Layout map" section: a folder is a line "- `path/` — …", a concept under it a line
# "  - `stem` — …". Fails listing what the map misses and what it names that is gone.
cmake_minimum_required(VERSION 3.25)

set(section_heading "## Layout map")
set(source_pattern "\\.(h|hpp|c|cc|cpp)$")
set(test_pattern "_test\\.(c|cc|cpp)$")

# The map's lines; what CMake would read as list syntax in them is blanked first.
file(READ "${MAP}" text)
string(REGEX REPLACE "[][;\\\\]" " " text "${text}")
string(REPLACE "\n" ";" lines "${text}")

set(named_folders "")
set(named_concepts "")
set(in_map FALSE)
set(folder "")
foreach(line IN LISTS lines)
    if(line STREQUAL section_heading)
        set(in_map TRUE)
    elseif(in_map AND line MATCHES "^## ")
        break()
    elseif(in_map AND line MATCHES "^- `([^`]+)/`")
        set(folder "${CMAKE_MATCH_1}")
        list(APPEND named_folders "${folder}")
    elseif(in_map AND line MATCHES "^  - `([^`/]+)`")
        list(APPEND named_concepts "${folder}/${CMAKE_MATCH_1}")
    endif()
endforeach()
if(NOT in_map)
    message(FATAL_ERROR "${MAP} has no \"${section_heading}\" section")
endif()

# The tree: every top-level folder but hidden ones and build trees (build*/ and out/, as
# .gitignore has them, or any holding a CMake cache), and the code beneath them.
file(GLOB entries LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
set(top_folders "")
foreach(entry IN LISTS entries)
    get_filename_component(absolute "${SOURCE_DIR}/${entry}" REALPATH)
    if(IS_DIRECTORY "${SOURCE_DIR}/${entry}" AND NOT entry MATCHES "^(\\.|build|out$)"
       AND NOT EXISTS "${SOURCE_DIR}/${entry}/CMakeCache.txt"
       AND NOT (BUILD_DIR AND absolute STREQUAL BUILD_DIR))
        list(APPEND top_folders "${entry}")
    endif()
endforeach()

set(tree_folders ${top_folders})
set(tree_concepts "")
foreach(top IN LISTS top_folders)
    file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${top}/*")
    foreach(file IN LISTS files)
        # An npm package's own sources, installed beside a test's tooling, are no part of the tree.
        if(NOT file MATCHES "${source_pattern}" OR file MATCHES "(^|/)node_modules/")
            continue()
        endif()
        get_filename_component(dir "${file}" DIRECTORY)
        get_filename_component(stem "${file}" NAME_WLE)
        list(APPEND tree_folders "${dir}")
        if(NOT file MATCHES "${test_pattern}")
            list(APPEND tree_concepts "${dir}/${stem}")
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES tree_folders)
list(REMOVE_DUPLICATES tree_concepts)
list(SORT tree_folders)
list(SORT tree_concepts)

set(report "")
foreach(folder IN LISTS tree_folders)
    if(NOT folder IN_LIST named_folders)
        string(APPEND report "\n  missing folder:  ${folder}/")
    endif()
endforeach()
foreach(concept IN LISTS tree_concepts)
    if(NOT concept IN_LIST named_concepts)
        string(APPEND report "\n  missing concept: ${concept}")
    endif()
endforeach()
foreach(folder IN LISTS named_folders)
    if(NOT IS_DIRECTORY "${SOURCE_DIR}/${folder}")
        string(APPEND report "\n  gone folder:     ${folder}/")
    endif()
endforeach()
foreach(concept IN LISTS named_concepts)
    if(NOT concept IN_LIST tree_concepts)
        string(APPEND report "\n  gone concept:    ${concept}")
    endif()
endforeach()
if(report)
    message(FATAL_ERROR "The layout map in ${MAP} is not the tree's:${report}\n"
        "Add a line \"- `folder/` — …\" per missing folder, and per missing concept a line "
        "\"- `stem` — …\" indented by two spaces under its folder's; take out what is gone.")
endif()
list(LENGTH tree_folders folder_count)
list(LENGTH tree_concepts concept_count)
message(STATUS "The layout map names all ${folder_count} folders and ${concept_count} concepts")
