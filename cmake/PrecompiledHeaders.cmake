# Qt's widget headers are most of what the compiler reads in the window's
# library and the widget tests: precompiled, they are read once per target
# instead of once per file. ccache cannot cache compilations that use them,
# so under a ccache launcher they are off unless asked for.
if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  set(RP770_PRECOMPILE_DEFAULT OFF)
else()
  set(RP770_PRECOMPILE_DEFAULT ON)
endif()
option(RP770_PRECOMPILE_HEADERS "Precompile Qt's widget headers for the targets that use them most"
       ${RP770_PRECOMPILE_DEFAULT})

set(RP770_QT_WIDGET_HEADERS
  <QApplication> <QWidget> <QDialog> <QLabel> <QLineEdit> <QComboBox> <QCheckBox> <QPushButton>
  <QTreeWidget> <QHeaderView> <QVBoxLayout> <QGridLayout> <QPainter> <QTimer> <QPointer> <QString>
  <functional> <memory> <string> <vector>)

# rp770_precompile_headers(TARGET [HEADERS...]): Qt's widget headers and the
# HEADERS given, precompiled for TARGET.
function(rp770_precompile_headers target)
  if(RP770_PRECOMPILE_HEADERS)
    target_precompile_headers(${target} PRIVATE ${RP770_QT_WIDGET_HEADERS} ${ARGN})
  endif()
endfunction()
