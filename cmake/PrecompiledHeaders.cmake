# Precompiled headers. Most of a unit's compile time goes into parsing the same Qt, standard
# library and GoogleTest headers, so each group of targets shares one precompiled header: its
# first target builds it, the others reuse it. That needs the same compiler flags (Qt gives -fPIC
# to every target that uses it) and, for GCC, macro definitions that only add to those of the
# first target: the QT_<module>_LIB of the Qt modules a target links. So each group starts with
# the target that links the fewest modules. GCC only, since clang (the fuzz build) refuses a
# header precompiled under other macro definitions.
option(TAMVEL_PCH "Precompile the common Qt, standard library and GoogleTest headers (GCC)" ON)

set(tamvel_pch_std <algorithm> <array> <cstdint> <functional> <map> <memory> <optional> <set> <string>
    <vector>)
set(tamvel_pch_gui ${tamvel_pch_std} <QByteArray> <QCoreApplication> <QDateTime> <QDir> <QFile> <QFileInfo>
    <QList> <QObject> <QRegularExpression> <QString> <QStringList> <QColor> <QFont> <QImage> <QPainter>)
set(TAMVEL_PCH_GUI ${tamvel_pch_gui})
set(TAMVEL_PCH_WIDGETS ${tamvel_pch_gui} <QApplication> <QDialog> <QDialogButtonBox> <QGridLayout>
    <QHBoxLayout> <QLabel> <QLineEdit> <QMessageBox> <QPushButton> <QVBoxLayout> <QWidget>)
set(TAMVEL_PCH_TESTS ${tamvel_pch_gui} <gmock/gmock.h> <gtest/gtest.h>)

# tamvel_precompile(GUI|WIDGETS|TESTS target...): the group's first target builds the header.
function(tamvel_precompile group)
  if(NOT TAMVEL_PCH OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  get_property(owner GLOBAL PROPERTY tamvel_pch_owner_${group})
  foreach(target ${ARGN})
    if(owner)
      target_precompile_headers(${target} REUSE_FROM ${owner})
    else()
      target_precompile_headers(${target} PRIVATE ${TAMVEL_PCH_${group}})
      set(owner ${target})
      set_property(GLOBAL PROPERTY tamvel_pch_owner_${group} ${target})
    endif()
  endforeach()
endfunction()

# Sets `out` to whether the libraries given link the Qt module `module` (Qt6::Widgets...),
# directly or through what they link.
function(tamvel_uses out module)
  set(pending ${ARGN})
  set(seen)
  while(pending)
    list(POP_FRONT pending lib)
    if(lib STREQUAL module)
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
    if(TARGET ${lib} AND NOT lib IN_LIST seen)
      list(APPEND seen ${lib})
      get_target_property(linked ${lib} INTERFACE_LINK_LIBRARIES)
      if(linked)
        list(APPEND pending ${linked})
      endif()
    endif()
  endwhile()
  set(${out} FALSE PARENT_SCOPE)
endfunction()
