# The Windows command line's package: a zip of rp770-cli.exe, the shipped
# data it reads and a README, in the build folder (target
# rp770_windows_package; `make windows`).
set(RP770_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/rp770-cli-${PROJECT_VERSION}-windows-x64.zip)
set(stage ${CMAKE_BINARY_DIR}/package/rp770-cli)
set(RP770_WINDOWS_DATA global.ini USA_013E.ini INT_013E.ini CAN_013E.ini)
list(TRANSFORM RP770_WINDOWS_DATA PREPEND ${PROJECT_SOURCE_DIR}/data/)
add_custom_command(OUTPUT ${RP770_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:rp770-cli> ${RP770_WINDOWS_DATA} ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/windows/README.txt ${stage}/README.txt
  COMMAND ${CMAKE_COMMAND} -E rm -f ${RP770_WINDOWS_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
          ${CMAKE_COMMAND} -E tar cf ${RP770_WINDOWS_ZIP} --format=zip rp770-cli
  DEPENDS rp770-cli ${RP770_WINDOWS_DATA} ${PROJECT_SOURCE_DIR}/data/windows/README.txt
  COMMENT "Packing ${RP770_WINDOWS_ZIP}"
  VERBATIM)
add_custom_target(rp770_windows_package ALL DEPENDS ${RP770_WINDOWS_ZIP})
