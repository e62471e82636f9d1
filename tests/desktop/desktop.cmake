# The desktop layer: the real program on a virtual X screen with a real window
# manager (openbox), driven by real mouse and key events (xdotool), each test
# at 96 dpi and at 192 dpi (a desktop scaled twice). One at a time: they time
# real input against a real window manager.
set(DESKTOP ${CMAKE_CURRENT_SOURCE_DIR}/desktop)

# desktop_test(NAME PROJECT): runs desktop/NAME.sh PLAYER PROJECT DPI.
function(desktop_test name project)
  foreach(dpi 96 192)
    add_test(NAME desktop.${name}.${dpi}
      COMMAND ${DESKTOP}/${name}.sh $<TARGET_FILE:taleforge-player> ${project} ${dpi})
    set_tests_properties(desktop.${name}.${dpi} PROPERTIES TIMEOUT 90
      RESOURCE_LOCK desktop
      ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
  endforeach()
endfunction()
desktop_test(welcome_scaled ${CMAKE_SOURCE_DIR}/demo)
desktop_test(save_dialog_keys ${CMAKE_SOURCE_DIR}/demo)
desktop_test(dialogs_centred ${CMAKE_SOURCE_DIR}/demo)
desktop_test(welcome_activation ${CMAKE_SOURCE_DIR}/demo)
desktop_test(welcome_window ${CMAKE_SOURCE_DIR}/demo)
desktop_test(game_unswitched ${CMAKE_SOURCE_DIR}/demo)
# Screenshots at 192 dpi look as at 96 dpi, only sharper: both in one test.
add_test(NAME desktop.scaled_like_unscaled
  COMMAND ${DESKTOP}/scaled_like_unscaled.sh $<TARGET_FILE:taleforge-player> ${CMAKE_SOURCE_DIR}/demo)
set_tests_properties(desktop.scaled_like_unscaled PROPERTIES TIMEOUT 90 RESOURCE_LOCK desktop
  ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
