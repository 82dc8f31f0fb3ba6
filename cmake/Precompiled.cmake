# Precompiled headers: the Qt and standard headers nearly every file of a
# target includes are parsed once per target instead of once per file. The
# logic's set holds Qt Core alone, so a header that draws still fails to
# compile there.
set(KIVO_PCH_CORE
  <algorithm> <array> <functional> <memory> <optional> <vector>
  <QByteArray> <QDateTime> <QDir> <QFile> <QFileInfo> <QList> <QLocale> <QObject>
  <QString> <QStringList> <QVariant>)
set(KIVO_PCH_WIDGETS ${KIVO_PCH_CORE}
  <QApplication> <QComboBox> <QLabel> <QLineEdit> <QPushButton> <QWidget>)
set(KIVO_PCH_TESTS ${KIVO_PCH_WIDGETS} <gtest/gtest.h>)

option(KIVO_PCH "Precompile the common Qt headers" ON)

# kivo_precompile(TARGET core|widgets|tests)
function(kivo_precompile target set)
  if(NOT KIVO_PCH)
    return()
  endif()
  string(TOUPPER "${set}" set)
  target_precompile_headers(${target} PRIVATE ${KIVO_PCH_${set}})
endfunction()
