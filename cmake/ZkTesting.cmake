# zk_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>] [LABELS <l...>])
# One Qt Test executable registered with CTest. Every test runs on the offscreen
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
    target_compile_options(zk_test_pch PRIVATE ${ZK_TEST_DEBUG_LEVEL})
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

function(zk_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    zk_test_precompiled_headers()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ZK_TEST_QT_MODULES} ${ARG_LIBS})
    target_compile_options(${name} PRIVATE ${ZK_TEST_DEBUG_LEVEL})
    if(ZK_TEST_PCH)
        target_precompile_headers(${name} REUSE_FROM zk_test_pch)
        # Moc's file for a test is mostly empty: loading the header would cost more than it saves.
        set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/mocs_compilation.cpp
            PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
    # Tests include their shared support as "tests/support/…".
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    add_test(NAME ${name} COMMAND ${name})
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
