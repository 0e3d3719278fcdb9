# Read by cpack before each generator: our own CPackDeb.cmake (beside this
# file) goes first.
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
