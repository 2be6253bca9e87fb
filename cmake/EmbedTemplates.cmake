# The four empty template tables are kept as files under resources/ and
# compiled into the program byte for byte (no #embed in g++ 12).
set(TORVANE_TEMPLATE_FILES
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/person.kvt
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/kvxdat1.kvt
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/kvxdat2.kvt
    ${CMAKE_CURRENT_SOURCE_DIR}/resources/kvxdat3.kvt)
set(TORVANE_TEMPLATE_SOURCE ${CMAKE_CURRENT_BINARY_DIR}/generated/TemplateBlobs.cpp)
add_custom_command(
    OUTPUT ${TORVANE_TEMPLATE_SOURCE}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${TORVANE_TEMPLATE_SOURCE}
            "-DINPUTS=${TORVANE_TEMPLATE_FILES}"
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/GenerateTemplateBlobs.cmake
    DEPENDS ${TORVANE_TEMPLATE_FILES} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/GenerateTemplateBlobs.cmake
    COMMENT "Embedding the template tables"
    VERBATIM)
