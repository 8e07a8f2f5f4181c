# The program's libraries compile their files together, up to eight to a
# translation unit: reading Qt's headers is about half of what a file of this
# program costs to compile, and a unity file reads them once for eight.
# A file whose file-local names (anonymous namespace, static) meet the same
# names in a neighbour compiles on its own: ZK_UNITY_ALONE lists them.
option(ZK_UNITY "Compile the program's files a few to a translation unit" ON)
set(ZK_UNITY_ALONE
    app/startoptions.cpp
    app/ui/startup.cpp
    app/virtualchain.cpp
    cli/diffcommand.cpp
    cli/firmwarecommand.cpp
    cli/setcommand.cpp
    editor/settingsdialogs.cpp
    editor/ui/loadcompare.cpp
    editor/ui/settingsdialog.cpp
    link/protocol.cpp
    link/serialframe.cpp
    panel/designtools.cpp
    panel/ui/frmediticon.cpp
    panel/ui/frmeditsetting.cpp
    panel/ui/frmgridproperty.cpp
    panel/ui/frmicontable.cpp
    panel/ui/frmimagesetting.cpp
    remote/remoteserver.cpp
    settings/mixersections.cpp
    settings/panelsections.cpp
)

function(zk_unity_build folder)
    if(NOT ZK_UNITY)
        return()
    endif()
    zk_folder_targets(${folder} targets)
    foreach(t IN LISTS targets)
        zk_unity_build_of(${t})
    endforeach()
endfunction()

function(zk_unity_build_of target)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    get_target_property(dir ${target} SOURCE_DIR)
    get_target_property(sources ${target} SOURCES)
    foreach(src IN LISTS sources)
        get_filename_component(path ${src} ABSOLUTE BASE_DIR ${dir})
        file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${path})
        if(rel IN_LIST ZK_UNITY_ALONE)
            set_property(SOURCE ${path} TARGET_DIRECTORY ${target}
                PROPERTY SKIP_UNITY_BUILD_INCLUSION ON)
        endif()
    endforeach()
endfunction()
