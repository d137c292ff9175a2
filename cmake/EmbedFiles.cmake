# tg_embed_text(<sources-var> INPUT <file> SYMBOL <ns::name> HEADER <include>): adds to
# <sources-var> a source generated at build time (by EmbedText.cmake) that defines the constant
# `std::string_view <ns::name>` over the file's bytes; HEADER is the include that declares it.
function(tg_embed_text sources_var)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "INPUT;SYMBOL;HEADER" "")
  string(REPLACE "::" ";" symbol_parts "${arg_SYMBOL}")
  list(GET symbol_parts 0 namespace)
  list(GET symbol_parts 1 symbol)
  get_filename_component(input_name "${arg_INPUT}" NAME_WE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/generated/${input_name}_${symbol}.cpp)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${arg_INPUT} -DOUTPUT=${output} -DNAMESPACE=${namespace}
            -DSYMBOL=${symbol} -DHEADER=${arg_HEADER} -P ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
    DEPENDS ${arg_INPUT} ${PROJECT_SOURCE_DIR}/cmake/EmbedText.cmake
    COMMENT "Embedding ${input_name}"
    VERBATIM)
  set(${sources_var} ${${sources_var}} ${output} PARENT_SCOPE)
endfunction()
