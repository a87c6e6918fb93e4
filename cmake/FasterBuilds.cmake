# Shorter builds: ccache when it is installed, and precompiled Qt headers.

# ccache keeps compiled objects between builds and between clones. Precompiled headers are
# cached only when its "sloppiness" allows for them, so the launcher adds that to the user's own.
find_program(SKIMORA_CCACHE ccache)
if(SKIMORA_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    execute_process(COMMAND ${SKIMORA_CCACHE} --get-config sloppiness
        OUTPUT_VARIABLE skimora_sloppiness OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    string(REGEX REPLACE "[ ,]+" ";" skimora_sloppiness "${skimora_sloppiness}")
    list(APPEND skimora_sloppiness pch_defines time_macros)
    list(REMOVE_DUPLICATES skimora_sloppiness)
    list(JOIN skimora_sloppiness "," skimora_sloppiness)
    set(CMAKE_CXX_COMPILER_LAUNCHER
        ${CMAKE_COMMAND} -E env CCACHE_SLOPPINESS=${skimora_sloppiness} ${SKIMORA_CCACHE})
endif()

# The headers most sources include, parsed once per target instead of once per source.
option(SKIMORA_PRECOMPILE_HEADERS "Precompile the common Qt headers" ON)
set(SKIMORA_CORE_HEADERS
    <QByteArray> <QByteArrayView> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject>
    <QRegularExpression> <QSettings> <QString> <QStringDecoder> <QStringList> <QStringView>
    <QTimer> <algorithm> <array> <functional> <memory> <optional>)
set(SKIMORA_UI_HEADERS ${SKIMORA_CORE_HEADERS}
    <QAccessible> <QApplication> <QBoxLayout> <QCheckBox> <QComboBox> <QDialog> <QFrame>
    <QKeyEvent> <QLabel> <QLineEdit> <QMdiArea> <QMdiSubWindow> <QMessageBox> <QMouseEvent>
    <QPainter> <QPushButton> <QScrollBar> <QSlider> <QToolButton> <QWidget>)

# skimora_precompile(<target> <headers...>): the target's sources see these headers precompiled.
function(skimora_precompile target)
    if(SKIMORA_PRECOMPILE_HEADERS)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    endif()
endfunction()

# skimora_reuse_precompiled(<target> <from>): the target uses the precompiled headers of <from>,
# which must be compiled with the same flags and Qt modules.
function(skimora_reuse_precompiled target from)
    if(SKIMORA_PRECOMPILE_HEADERS)
        target_precompile_headers(${target} REUSE_FROM ${from})
    endif()
endfunction()
