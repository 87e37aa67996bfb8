# Usage: cmake -D DIR=APP_DIR -D NAME=FILE -P write_manifest.cmake
# Lists every file of the installed application directory in DIR/FILE as
# "SIZE SHA256 PATH". The launcher keeps the list in the user's copy: a list
# that differs from the installed one means the copy is of another build,
# and a copy whose files' sizes and paths differ from it is damaged.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${DIR} ${DIR}/*)
list(REMOVE_ITEM files ${NAME})
list(SORT files)
set(manifest "")
foreach(file IN LISTS files)
  file(SIZE ${DIR}/${file} size)
  file(SHA256 ${DIR}/${file} digest)
  string(APPEND manifest "${size} ${digest} ${file}\n")
endforeach()
file(WRITE ${DIR}/${NAME} "${manifest}")
