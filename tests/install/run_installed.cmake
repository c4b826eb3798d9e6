# cmake -DBUILD=<build folder> -DTEST=<installed_tree_test> -DWORK=<scratch folder>
#       -DVERSION=<the project's version> -P run_installed.cmake
# Installs the build into WORK/prefix, moves the tree to WORK/moved, and runs
# the installed-tree test from the moved tree's bin/.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${WORK}/prefix
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(f bin/orvex share/orvex/Planet.dat share/orvex/NumResults.rtf share/orvex/help/index.html
          share/orvex/Observations/08Dec26A.obs share/applications/org.orvex.orvex.desktop
          share/metainfo/org.orvex.orvex.metainfo.xml share/mime/packages/org.orvex.orvex.xml
          share/icons/hicolor/48x48/apps/org.orvex.orvex.png share/man/man1/orvex.1.gz
          share/doc/orvex/copyright share/doc/orvex/changelog.gz)
  if(NOT EXISTS ${WORK}/prefix/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(RENAME ${WORK}/prefix ${WORK}/moved)
file(COPY ${TEST} DESTINATION ${WORK}/moved/bin)
get_filename_component(name ${TEST} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E env ORVEX_PACKAGE_VERSION=${VERSION}
  ${WORK}/moved/bin/${name} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed-tree test failed: ${rc}")
endif()
file(REMOVE_RECURSE ${WORK})
