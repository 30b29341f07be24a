# Release builds: small, stripped and reproducible. Each function and object
# gets its own section so that the linker can drop what nothing calls; the
# PE header carries no link time, so two builds of one commit are identical.
if(MVSI_RELEASE)
    add_compile_options(-ffunction-sections -fdata-sections)
    # In C++20 every object file instantiates std::string itself; the
    # optimiser's specialised copies of its members are local to the object,
    # so each file had its own (7 KB of the 32-bit window program).
    add_compile_options(-fno-ipa-cp -fno-ipa-sra)
    add_link_options(-Wl,--gc-sections -s)
    if(WIN32)
        add_link_options(-Wl,--no-insert-timestamp)
    endif()
endif()
