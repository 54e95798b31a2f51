# kivo_embed_text(TARGET SYMBOL FILE): compiles FILE into TARGET as a byte array
# reachable through `std::string_view SYMBOL()` declared in namespace kivo::embedded.
set(KIVO_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedTextScript.cmake)

function(kivo_embed_text target symbol file)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -P ${KIVO_EMBED_SCRIPT}
    DEPENDS ${file} ${KIVO_EMBED_SCRIPT}
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
