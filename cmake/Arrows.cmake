# The house's arrows: each room states which other rooms (or which single
# headers of a room) its files may include. tests/house checks every
# #include against these statements.
function(room_may_include room)
  string(JOIN "," allowed ${ARGN})
  set_property(GLOBAL APPEND PROPERTY ECHO_TRACK_ROOM_ARROWS "${room}=${allowed}")
endfunction()
