# orvane_qt_test(LAYER NAME LIBRARY...): one QtTest executable made from tests/NAME.cpp of the
# calling folder, linked to the libraries named, and registered as the test LAYER.NAME that runs
# without a display. Every test gets the shared support (tests/support/TestSupport.h).
function(orvane_qt_test layer name)
    add_executable(${name} tests/${name}.cpp)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARGN} orvane_ui Qt6::Test)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    add_test(NAME ${layer}.${name} COMMAND ${name})
    set_tests_properties(${layer}.${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
