# End-to-end walkthroughs: the real player plays a script against a fixture
# project, headless.
set(WALKTHROUGHS ${CMAKE_CURRENT_SOURCE_DIR}/walkthroughs)
set(PROJECTS ${WALKTHROUGHS}/projects)

# Whole seconds a script waits, rounded up per wait: ctest starts the longest
# first, so the waits overlap.
function(walkthrough_cost test script)
  file(STRINGS ${WALKTHROUGHS}/${script} waits REGEX "^[ \t]*wait[ \t]")
  set(cost 1)
  foreach(wait IN LISTS waits)
    string(REGEX REPLACE "^[ \t]*wait[ \t]+([0-9]*).*" "\\1" seconds "${wait}")
    math(EXPR cost "${cost} + 0${seconds} + 1")
  endforeach()
  set_tests_properties(${test} PROPERTIES COST ${cost})
endfunction()

# walkthrough(NAME PROJECT SCRIPT [options of run_walkthrough.sh...])
function(walkthrough name project script)
  add_test(NAME walkthrough.${name}
    COMMAND ${WALKTHROUGHS}/run_walkthrough.sh ${ARGN}
            $<TARGET_FILE:taleforge-player> ${project} ${WALKTHROUGHS}/${script})
  set_tests_properties(walkthrough.${name} PROPERTIES TIMEOUT 60
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
  walkthrough_cost(walkthrough.${name} ${script})
endfunction()

walkthrough(general_11_fields ${PROJECTS}/eleven general_11_fields.walk)
walkthrough(general_12_fields ${PROJECTS}/twelve general_12_fields.walk)
walkthrough(general_13_fields ${PROJECTS}/thirteen general_13_fields.walk
  --expect-trace ${WALKTHROUGHS}/general_13_fields.trace)
walkthrough(general_16_fields ${PROJECTS}/sixteen general_16_fields.walk)
walkthrough(general_empty_lines ${PROJECTS}/empty-lines general_empty_lines.walk)
walkthrough(stored_setting_read ${PROJECTS}/twelve stored_setting_read.walk
  --settings ${WALKTHROUGHS}/settings_unticked.ini)
walkthrough(windows_copy_original ${PROJECTS}/twelve windows_copy.walk)
walkthrough(windows_copy_other_case ${PROJECTS}/windows-copy windows_copy.walk)
walkthrough(quit_image ${PROJECTS}/twelve quit_image.walk)
walkthrough(new_game_window ${PROJECTS}/twelve new_game_window.walk)
walkthrough(information_panel ${PROJECTS}/twelve information_panel.walk)
walkthrough(demo_welcome ${CMAKE_SOURCE_DIR}/demo demo_welcome.walk)
walkthrough(demo_playthrough ${CMAKE_SOURCE_DIR}/demo demo_playthrough.walk --no-saves)
walkthrough(failed_expectation ${PROJECTS}/twelve failed_expectation.walk --expect-status 1)
walkthrough(action_after_end ${PROJECTS}/twelve action_after_end.walk --expect-status 2)

walkthrough(new_game_start_frame ${PROJECTS}/colour new_game_start_frame.walk
  --expect-trace ${WALKTHROUGHS}/new_game_start_frame.trace)
walkthrough(timed_chain ${PROJECTS}/chain timed_chain.walk)
walkthrough(same_frame_twice ${PROJECTS}/same-twice same_frame_twice.walk)
walkthrough(missing_start_frame ${PROJECTS}/missing-start missing_start_frame.walk)
walkthrough(frame_fields ${PROJECTS}/fields frame_fields.walk)
walkthrough(frame_fields_12 ${PROJECTS}/fields12 frame_fields_12.walk)
walkthrough(frame_duration ${PROJECTS}/duration frame_duration.walk)
walkthrough(tiled_background ${PROJECTS}/tiled tiled_background.walk)
walkthrough(picture_background ${PROJECTS}/picture picture_background.walk)
walkthrough(wide_project ${PROJECTS}/wide wide_project.walk)

walkthrough(areas_and_actions ${PROJECTS}/playthrough areas_and_actions.walk
  --expect-trace ${WALKTHROUGHS}/areas_and_actions.trace)
walkthrough(message_then_frame ${PROJECTS}/playthrough message_then_frame.walk
  --expect-trace ${WALKTHROUGHS}/message_then_frame.trace)
walkthrough(disappearing_area ${PROJECTS}/playthrough disappearing_area.walk)
walkthrough(exit_action ${PROJECTS}/playthrough exit_action.walk)
walkthrough(area_load_failure ${PROJECTS}/playthrough area_load_failure.walk)
walkthrough(menu_and_exit ${PROJECTS}/playthrough menu_and_exit.walk)
walkthrough(inventory_pick ${PROJECTS}/inventory inventory_pick.walk
  --expect-trace ${WALKTHROUGHS}/inventory_pick.trace)
walkthrough(inventory_rows ${PROJECTS}/inventory inventory_rows.walk)
walkthrough(inventory_drops ${PROJECTS}/inventory inventory_drops.walk)

foreach(kind utf8 not-utf8 backslash)
  walkthrough(folder_name_${kind} ${PROJECTS}/folder-names folder_names.walk --in-folder ${kind})
endforeach()

# walkthrough_window(NAME PROJECT SCRIPT): the same in real windows on a
# virtual X display, where pixels are read back from the screen.
function(walkthrough_window name project script)
  add_test(NAME walkthrough.${name}
    COMMAND xvfb-run -a -s "-screen 0 1024x768x24" ${WALKTHROUGHS}/run_walkthrough.sh --window
            $<TARGET_FILE:taleforge-player> ${project} ${WALKTHROUGHS}/${script})
  set_tests_properties(walkthrough.${name} PROPERTIES TIMEOUT 60
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
  walkthrough_cost(walkthrough.${name} ${script})
endfunction()

walkthrough_window(layers_window ${PROJECTS}/layers layers_window.walk)
walkthrough(layers_offscreen ${PROJECTS}/layers layers_window.walk)
walkthrough(leave_and_restart ${PROJECTS}/duration leave_and_restart.walk)

# Schemes, links and the display mode.
walkthrough(scheme_two_entries ${PROJECTS}/scheme-two scheme_two_entries.walk)
walkthrough(scheme_none_tiled ${PROJECTS}/scheme-none scheme_none_tiled.walk)
walkthrough(scheme_count_zero ${PROJECTS}/scheme-zero scheme_count_zero.walk)
walkthrough(welcome_links ${PROJECTS}/twelve welcome_links.walk
  --expect-trace ${WALKTHROUGHS}/welcome_links.trace)
walkthrough(display_switch ${PROJECTS}/twelve display_switch.walk
  --expect-trace ${WALKTHROUGHS}/display_switch.trace)
walkthrough(display_not_allowed ${PROJECTS}/playthrough display_switch.walk
  --expect-trace ${WALKTHROUGHS}/display_not_allowed.trace)

# walkthrough_full_hd(NAME PROJECT SCRIPT [options of run_walkthrough.sh...]):
# real windows on a 1920 x 1080 virtual X display without a window manager.
function(walkthrough_full_hd name project script)
  add_test(NAME walkthrough.${name}
    COMMAND xvfb-run -a -s "-screen 0 1920x1080x24" ${WALKTHROUGHS}/run_walkthrough.sh --window
            ${ARGN} $<TARGET_FILE:taleforge-player> ${project} ${WALKTHROUGHS}/${script})
  set_tests_properties(walkthrough.${name} PROPERTIES TIMEOUT 60
    ENVIRONMENT "QT_QPA_PLATFORM=xcb;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
  walkthrough_cost(walkthrough.${name} ${script})
endfunction()

walkthrough_full_hd(display_scaled_window ${PROJECTS}/display display_scaled_window.walk)
walkthrough_full_hd(display_windowed_restart ${PROJECTS}/display display_windowed_restart.walk
  --settings ${WALKTHROUGHS}/settings_windowed.ini)
walkthrough_full_hd(welcome_scheme_window ${PROJECTS}/scheme-two welcome_scheme_window.walk)
walkthrough(music_kept_and_stopped ${PROJECTS}/music music_kept_and_stopped.walk)
walkthrough(video_skipped ${PROJECTS}/video video_skipped.walk)
walkthrough_window(video_window ${PROJECTS}/video video_window.walk)
walkthrough(sound_and_mp3 ${PROJECTS}/sound sound_and_mp3.walk
  --expect-trace ${WALKTHROUGHS}/sound_and_mp3.trace)
walkthrough(sound_channels_cut ${PROJECTS}/sound sound_channels_cut.walk)
walkthrough(closing_stops_sound ${PROJECTS}/sound closing_stops_sound.walk)
walkthrough(closing_stops_music ${PROJECTS}/music closing_stops_music.walk)
walkthrough(mixer_failure ${PROJECTS}/sound mixer_failure.walk
  --expect-trace ${WALKTHROUGHS}/mixer_failure.trace)
set_tests_properties(walkthrough.mixer_failure PROPERTIES ENVIRONMENT
  "TALEFORGE_SIMULATE_NO_MIXER=1;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")
walkthrough(saved_game_example ${PROJECTS}/saves saved_game_example.walk --copy
  --expect-file copy.sav ${PROJECTS}/saves/example.sav)
walkthrough(saved_game_round_trip ${PROJECTS}/playthrough saved_game_round_trip.walk --copy)
walkthrough(saved_game_damaged ${PROJECTS}/saves saved_game_damaged.walk --copy)
walkthrough(saved_game_dialog ${PROJECTS}/saves saved_game_dialog.walk --copy
  --expect-file zeta.sav none --expect-file ../x.sav none --expect-file a none)
walkthrough(saved_game_after_switch ${PROJECTS}/saves-switch saved_game_after_switch.walk --copy
  --expect-trace ${WALKTHROUGHS}/saved_game_after_switch.trace)

# Damaged media of every kind, made into the build folder before it is played.
add_test(NAME walkthrough.damaged_media_make
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-damaged-media.sh ${CMAKE_CURRENT_BINARY_DIR}/damaged-media)
set_tests_properties(walkthrough.damaged_media_make PROPERTIES FIXTURES_SETUP damaged_media)
walkthrough(damaged_media ${CMAKE_CURRENT_BINARY_DIR}/damaged-media damaged_media.walk)
set_tests_properties(walkthrough.damaged_media PROPERTIES FIXTURES_REQUIRED damaged_media)
