# zk_test_executable(<name>): the executable of one folder of tests/
# (tests_app, tests_panel, ...); tests/CMakeLists.txt makes one per folder, and the
# folder's zk_add_test calls (its subfolders' too) put their files into it.
# zk_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>] [LABELS <l...>] [PICTURES])
# One test file (or a few) of that executable, registered with CTest as
# `<executable> -test <first source's name>`: one entry per test file, so ctest
# still runs them in parallel and reports each. The file registers its class
# with ZK_TEST_MAIN (tests/support/testmain.h, which says how). <name> stays a
# build target that builds the executable, so add_dependencies(<name> <program>)
# names the programs the test starts. PICTURES: the test's cases take the
# pictures in docs/screenshots as they go (scripts/screenshots.sh runs it).
#
# Every test runs on the offscreen
# platform with a private runtime and config folder so no test sees the user's
# settings or another test's instance lock, and in Japanese whatever the
# machine's locale (ZKVR340A_LANGUAGE reaches the program and tool processes).
#
# Parsing Qt's headers is most of a test's compile time, so every test reuses
# one precompiled header of the Qt modules the tests draw on. The compiler takes
# it only where the QT_*_LIB definitions match those it was made with, so every
# test links the same Qt modules. QtTest stays out of it: its headers read the
# per-folder QT_TESTCASE_* definitions.
set(ZK_TEST_QT_MODULES Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network Qt6::SerialPort Qt6::PrintSupport)
# Line tables are enough for a test's own code (backtraces keep file and line);
# the libraries under test keep their full debug information.
set(ZK_TEST_DEBUG_LEVEL -g1)
option(ZK_TEST_PCH "Tests share one precompiled header of Qt's" ON)
function(zk_test_precompiled_headers)
    if(NOT ZK_TEST_PCH OR TARGET zk_test_pch)
        return()
    endif()
    file(WRITE ${CMAKE_BINARY_DIR}/zk_test_pch.cpp "// Carries the tests' precompiled Qt headers.\n")
    add_library(zk_test_pch STATIC ${CMAKE_BINARY_DIR}/zk_test_pch.cpp)
    target_link_libraries(zk_test_pch PUBLIC ${ZK_TEST_QT_MODULES})
    target_compile_options(zk_test_pch PRIVATE ${ZK_TEST_DEBUG_LEVEL} ${ZK_TEST_OPTIMIZE})
    target_precompile_headers(zk_test_pch PRIVATE
        <QString> <QStringList> <QByteArray> <QList> <QHash> <QObject> <QPointer> <QTimer>
        <QElapsedTimer> <QLoggingCategory> <QCoreApplication> <QFile> <QFileInfo> <QDir>
        <QTemporaryDir> <QStandardPaths> <QProcess> <QRegularExpression> <QLocale>
        <QStringEncoder> <QStringDecoder> <QScopedValueRollback> <QJsonObject> <QJsonDocument>
        <QJsonArray> <QSocketNotifier> <QtEndian> <QGuiApplication> <QScreen> <QPainter>
        <QPixmap> <QImage> <QPalette> <QColor> <QFont> <QKeyEvent> <QMouseEvent> <QCloseEvent>
        <QApplication> <QWidget> <QDialog> <QMainWindow> <QMenuBar> <QMenu> <QAction> <QToolBar>
        <QStyle> <QFrame> <QLabel> <QPushButton> <QRadioButton> <QCheckBox> <QButtonGroup>
        <QGroupBox> <QLineEdit> <QComboBox> <QListWidget> <QTableWidget> <QHeaderView>
        <QTabWidget> <QScrollArea> <QScrollBar> <QBoxLayout> <QGridLayout> <QFormLayout>
        <QTcpSocket> <QTcpServer> <QUdpSocket> <QHostAddress> <QNetworkDatagram> <QPrinter>)
endfunction()

# The tests' own code builds with light optimisation: it is glue around the
# libraries under test (which keep theirs) and compiles faster so. Not -O0:
# the linker keeps one copy of each inline function the two share, which may
# be the test's, and the libraries' loops would run it unoptimised.
set(ZK_TEST_OPTIMIZE -O1)
# A folder's test files compile together, a few to a translation unit.
option(ZK_TEST_UNITY "Compile each test executable's files together" ON)

# The one main() of the test executables, compiled once.
function(zk_test_main)
    if(TARGET zk_test_main)
        return()
    endif()
    add_library(zk_test_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/testmain.cpp
        ${CMAKE_SOURCE_DIR}/tests/support/testmain.h)
    target_link_libraries(zk_test_main PUBLIC Qt6::Test ${ZK_TEST_QT_MODULES})
    target_compile_options(zk_test_main PRIVATE ${ZK_TEST_DEBUG_LEVEL} ${ZK_TEST_OPTIMIZE})
    target_include_directories(zk_test_main PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

function(zk_test_executable name)
    zk_test_precompiled_headers()
    zk_test_main()
    add_executable(${name})
    target_link_libraries(${name} PRIVATE zk_test_main Qt6::Test ${ZK_TEST_QT_MODULES})
    target_compile_options(${name} PRIVATE ${ZK_TEST_DEBUG_LEVEL} ${ZK_TEST_OPTIMIZE})
    set_target_properties(${name} PROPERTIES UNITY_BUILD ${ZK_TEST_UNITY} UNITY_BUILD_BATCH_SIZE 8)
    if(ZK_TEST_UNITY AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # Included into a unity file, a test file reads to g++ as a header, and
        # its test class as one whose members use the file's anonymous namespace.
        target_compile_options(${name} PRIVATE -Wno-subobject-linkage)
    endif()
    if(ZK_TEST_PCH)
        target_precompile_headers(${name} REUSE_FROM zk_test_pch)
        # Moc's file for a test is mostly empty: loading the header would cost more than it saves.
        set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/mocs_compilation.cpp
            PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
    # Tests include their shared support as "tests/support/…".
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    set(ZK_TEST_EXECUTABLE ${name} PARENT_SCOPE)
endfunction()

function(zk_add_test name)
    cmake_parse_arguments(ARG "PICTURES" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    set(exe ${ZK_TEST_EXECUTABLE})
    if(NOT exe)
        message(FATAL_ERROR "zk_add_test(${name}): no zk_test_executable() for this folder")
    endif()
    target_sources(${exe} PRIVATE ${ARG_SOURCES})
    target_link_libraries(${exe} PRIVATE ${ARG_LIBS})
    add_custom_target(${name})
    add_dependencies(${name} ${exe})
    # The entry picks the classes of its first test file.
    list(FILTER ARG_SOURCES INCLUDE REGEX "\\.cpp$")
    list(GET ARG_SOURCES 0 main_source)
    get_filename_component(file ${main_source} NAME_WE)
    add_test(NAME ${name} COMMAND ${exe} -test ${file})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set(scratch ${CMAKE_BINARY_DIR}/test-home/${name})
    file(MAKE_DIRECTORY ${scratch}/runtime ${scratch}/config)
    file(CHMOD ${scratch}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    # The tests mostly wait on the virtual mixers' timing, so ctest runs several
    # at once; the long ones (those given a long time-out) start first.
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        COST ${ARG_TIMEOUT}
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${scratch}/runtime;XDG_CONFIG_HOME=${scratch}/config;XDG_DATA_HOME=${scratch}/data;ZKVR340A_BIN_DIR=${CMAKE_BINARY_DIR}/bin;ZKVR340A_LANGUAGE=ja")
    # scripts/screenshots.sh runs these with their picture classes (-pictures).
    if(ARG_PICTURES)
        file(APPEND ${CMAKE_BINARY_DIR}/screenshots.txt "${exe} ${file}\n")
    endif()
endfunction()

# zk_add_test_helper(<name> SOURCES <files...> LIBS <targets...>): a program
# that a test starts, built as the tests are.
function(zk_add_test_helper name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    zk_test_precompiled_headers()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ZK_TEST_QT_MODULES} ${ARG_LIBS})
    target_compile_options(${name} PRIVATE ${ZK_TEST_DEBUG_LEVEL} ${ZK_TEST_OPTIMIZE})
    if(ZK_TEST_PCH)
        target_precompile_headers(${name} REUSE_FROM zk_test_pch)
    endif()
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()

# zk_add_bench(<name> SOURCES <files...> LIBS <targets...>): a benchmark prints
# its figures; it is built with everything else but never run by ctest.
function(zk_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    # Benchmarks borrow the tests' rigs as "tests/…".
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
