# Release builds: small, stripped and reproducible. Each function and object
# gets its own section so that the linker can drop what nothing calls; the
# PE header carries no link time, so two builds of one commit are identical.
if(MVSI_RELEASE)
    add_compile_options(-ffunction-sections -fdata-sections)
    add_link_options(-Wl,--gc-sections -s)
    if(WIN32)
        add_link_options(-Wl,--no-insert-timestamp)
    endif()
endif()
