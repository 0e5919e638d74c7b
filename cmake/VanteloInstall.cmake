# `cmake --install`: the programs in bin/, the shipped files in share/vantelo/
# (where an installed program looks for them: ../share/vantelo beside its bin/),
# the desktop entry, the icon, the AppStream file, the manual pages, the bash
# completion and the README. The per-user data folder gets its copy of the
# shipped data files on the program's first start.

set(vantelo_share share/vantelo)

set(vantelo_programs tessaly vantelo-cli)
if(VANTELO_GUI)
  list(APPEND vantelo_programs vantelo)
endif()
install(TARGETS ${vantelo_programs} RUNTIME DESTINATION bin)

install(FILES resources/data/wait.gif DESTINATION ${vantelo_share}/data)
install(DIRECTORY resources/reciprocal/ DESTINATION ${vantelo_share}/reciprocal)
install(DIRECTORY resources/demo/ DESTINATION ${vantelo_share}/demo)
# The style sheet of the exported submission reports.
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/submission.xsl DESTINATION ${vantelo_share})

# The database is made again so that its demo directories point at the
# installed demo site; the prefix is the one given at install time.
install(CODE "
  set(vantelo_installed_share \"\${CMAKE_INSTALL_PREFIX}/${vantelo_share}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${vantelo_installed_share}/dirdata.xml\")
  execute_process(COMMAND \"${CMAKE_COMMAND}\"
      -DSOURCE=${PROJECT_SOURCE_DIR}/resources/data/dirdata-source.xml
      -DPLAIN=${CMAKE_BINARY_DIR}/resources/dirdata-install-plain.xml
      \"-DOUTPUT=\$ENV{DESTDIR}\${vantelo_installed_share}/dirdata.xml\"
      \"-DDEMO_FOLDER=\${vantelo_installed_share}/demo\"
      -DCLI=$<TARGET_FILE:vantelo-cli>
      -P ${PROJECT_SOURCE_DIR}/cmake/MakeShippedDatabase.cmake
    RESULT_VARIABLE vantelo_result)
  if(NOT vantelo_result EQUAL 0)
    message(FATAL_ERROR \"cannot make the installed dirdata.xml\")
  endif()
")

# The desktop entry is named after the AppStream id, which names it as the launchable.
if(VANTELO_GUI)
  install(FILES resources/desktop/io.github.vantelo.Vantelo.desktop DESTINATION share/applications)
  install(FILES resources/desktop/vantelo.svg DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES resources/desktop/io.github.vantelo.Vantelo.metainfo.xml DESTINATION share/metainfo)
endif()

install(FILES ${VANTELO_MAN_PAGE_FILES} DESTINATION share/man/man1)
install(FILES resources/completion/vantelo-cli.bash DESTINATION share/bash-completion/completions
  RENAME vantelo-cli)
# The reference of the command-line tools and of the data folder.
install(FILES README.md DESTINATION share/doc/vantelo)
