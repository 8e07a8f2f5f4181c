# The program's layers, lowest first. A folder includes headers of its own
# folder and of the folders in lower layers, never of a higher one. Folders
# of one layer stand side by side; one includes another only along a side
# link named in ZK_SIDE_LINKS ("from>to"), so that no two of them form a
# cycle. The virtual mixer (sim/) and the USB library (devbridge/) stand
# apart: no folder of the program includes them, except along a side link.
# Folders of one layer are joined by ":".
set(ZK_LAYERS base link mixer settings editor:panel:maintenance:print remote app cli)
# The panel opens the editor's channel and output dialogs and shares the
# editor state with them, and tells how its printing of the speaking record
# went as the print command does. The application runs the virtual mixer chain
# inside the program for work without hardware (--virtual); nothing else
# reaches into sim/, and sim/ includes nothing of the application.
set(ZK_SIDE_LINKS "panel>editor" "panel>print" "app>sim")
set(ZK_APART_FOLDERS sim devbridge)

# zk_layer_of(<folder> <out>): the layer number of a folder, or -1.
function(zk_layer_of folder out)
    set(rank 0)
    foreach(layer IN LISTS ZK_LAYERS)
        string(REPLACE ":" ";" members "${layer}")
        if(folder IN_LIST members)
            set(${out} ${rank} PARENT_SCOPE)
            return()
        endif()
        math(EXPR rank "${rank} + 1")
    endforeach()
    set(${out} -1 PARENT_SCOPE)
endfunction()

# zk_layered_folders(<out>): every folder of the layers, lowest first.
function(zk_layered_folders out)
    set(all)
    foreach(layer IN LISTS ZK_LAYERS)
        string(REPLACE ":" ";" members "${layer}")
        list(APPEND all ${members})
    endforeach()
    set(${out} ${all} PARENT_SCOPE)
endfunction()

# zk_export_folder_headers(<folder>): every library and program declared in
# <folder> (and its subfolders) gives the code that links it "<folder>/…" and
# nothing more: the include path is a directory holding one link named after
# the folder. An include of a folder the target does not link to (directly or
# through what it links) then fails to build.
function(zk_export_folder_headers folder)
    set(dir ${CMAKE_BINARY_DIR}/headers/${folder})
    if(NOT EXISTS ${dir}/${folder})
        file(MAKE_DIRECTORY ${dir})
        file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${dir}/${folder} SYMBOLIC)
    endif()
    zk_folder_targets(${folder} targets)
    foreach(t IN LISTS targets)
        target_include_directories(${t} PUBLIC ${dir})
    endforeach()
endfunction()

# zk_folder_targets(<folder> <out>): the libraries and programs declared in
# <folder> and its subfolders.
function(zk_folder_targets folder out)
    set(found)
    set(pending ${CMAKE_SOURCE_DIR}/${folder})
    while(pending)
        list(POP_FRONT pending d)
        get_property(subdirs DIRECTORY ${d} PROPERTY SUBDIRECTORIES)
        list(APPEND pending ${subdirs})
        get_property(targets DIRECTORY ${d} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(t IN LISTS targets)
            get_target_property(type ${t} TYPE)
            if(type STREQUAL "STATIC_LIBRARY" OR type STREQUAL "EXECUTABLE")
                list(APPEND found ${t})
            endif()
        endforeach()
    endwhile()
    set(${out} ${found} PARENT_SCOPE)
endfunction()
