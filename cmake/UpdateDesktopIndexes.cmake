# Run at install time, after the launcher and the content types are in place.
# Installed straight into a prefix, the desktop's indexes of content types and
# of the launchers' MimeType are brought up to date, so the next card inserted
# is offered to the program. A package staged in DESTDIR leaves that to the
# system's own triggers and ships no index.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
set(data "${CMAKE_INSTALL_PREFIX}/${TANDREL_INSTALL_DATADIR}")
find_program(update_mime update-mime-database)
find_program(update_desktop update-desktop-database)
if(update_mime AND update_desktop)
  execute_process(COMMAND ${update_mime} "${data}/mime" OUTPUT_QUIET ERROR_QUIET)
  execute_process(COMMAND ${update_desktop} "${data}/applications" OUTPUT_QUIET ERROR_QUIET)
else()
  message(STATUS "To offer Tandrel for camera cards, run update-mime-database ${data}/mime "
                 "and update-desktop-database ${data}/applications")
endif()
