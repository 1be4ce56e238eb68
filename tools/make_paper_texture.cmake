# The tool that makes the default background texture assets/paper.jpg, and a
# target that runs it:  cmake --build <build dir> --target paper_texture
# Neither is part of the normal build; the picture is committed.
add_executable(make_paper_texture EXCLUDE_FROM_ALL ${CMAKE_CURRENT_LIST_DIR}/make_paper_texture.cpp)
target_link_libraries(make_paper_texture PRIVATE Qt6::Gui menolux_options)
add_custom_target(paper_texture
  COMMAND make_paper_texture ${PROJECT_SOURCE_DIR}/assets/paper.jpg 512
  COMMENT "Writing assets/paper.jpg"
  VERBATIM)
