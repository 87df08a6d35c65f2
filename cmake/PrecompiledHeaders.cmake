# Qt's widget headers are most of what the compiler reads in the window's
# library and the widget tests: precompiled, they are read once per target
# instead of once per file. (ccache does not cache compilations that use
# them unless its sloppiness allows pch_defines and time_macros.)
option(RP770_PRECOMPILE_HEADERS "Precompile Qt's widget headers for the targets that use them most" ON)

set(RP770_QT_WIDGET_HEADERS
  <QApplication> <QWidget> <QDialog> <QLabel> <QLineEdit> <QComboBox> <QCheckBox> <QPushButton>
  <QTreeWidget> <QHeaderView> <QVBoxLayout> <QGridLayout> <QPainter> <QTimer> <QPointer> <QString>
  <functional> <memory> <string> <vector>)

# rp770_precompile_headers(TARGET [HEADERS...]): Qt's widget headers and the
# HEADERS given, precompiled for TARGET. A file of TARGET that does without
# Qt must then not use Qt's keywords (slots, signals, emit) as names, or
# take the source property SKIP_PRECOMPILE_HEADERS.
function(rp770_precompile_headers target)
  if(RP770_PRECOMPILE_HEADERS)
    target_precompile_headers(${target} PRIVATE ${RP770_QT_WIDGET_HEADERS} ${ARGN})
  endif()
endfunction()
