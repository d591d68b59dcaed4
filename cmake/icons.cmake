# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# The program's icon as PNGs, rendered from its drawing when the program is built. The 16 px one comes from
# a redrawing on the pixel grid (packaging/icons/kaltrix-16.svg), where the full drawing's limbs would blur.
#
# kaltrix_render_icons(OUT_VAR PATTERN SIZE...): one PNG per size at PATTERN, in which @SIZE@ stands for the
# size; sets OUT_VAR to the list of PNGs, and to nothing (with a warning) where rsvg-convert is missing.
function(kaltrix_render_icons out_var pattern)
    find_program(RSVG_CONVERT rsvg-convert)
    if(NOT RSVG_CONVERT)
        message(WARNING "rsvg-convert not found (Debian package librsvg2-bin): no PNG icons are rendered")
        set(${out_var} "" PARENT_SCOPE)
        return()
    endif()
    set(pngs)
    foreach(size IN LISTS ARGN)
        set(source ${PROJECT_SOURCE_DIR}/resources/kaltrix.svg)
        if(size EQUAL 16)
            set(source ${PROJECT_SOURCE_DIR}/packaging/icons/kaltrix-16.svg)
        endif()
        string(REPLACE "@SIZE@" ${size} png ${pattern})
        get_filename_component(folder ${png} DIRECTORY)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --format png --output ${png} ${source}
            DEPENDS ${source}
            COMMENT "Rendering the ${size} px icon"
            VERBATIM)
        list(APPEND pngs ${png})
    endforeach()
    set(${out_var} ${pngs} PARENT_SCOPE)
endfunction()
