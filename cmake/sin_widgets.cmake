# Fails when a core source file (src/<area>/*.h|*.cpp, outside ui/) includes Qt Widgets.
file(GLOB fuentes ${SRC}/*/*.h ${SRC}/*/*.cpp)
set(prohibido "#[ \t]*include[ \t]*[<\"](QtWidgets|QWidget|QApplication|QDialog|QMainWindow|QMessageBox|QAbstractButton|QPushButton|QLabel|QLineEdit|QProgressBar|QStyle)[/>\".]")
foreach(f ${fuentes})
  file(STRINGS ${f} lineas REGEX "${prohibido}")
  if(lineas)
    message(FATAL_ERROR "${f} incluye Qt Widgets, prohibido en el núcleo: ${lineas}")
  endif()
endforeach()
