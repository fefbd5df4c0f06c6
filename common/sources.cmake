# Sources of the helpers that every program shares (common/geometry.h is
# header-only).
set(SCANNER_COMMON_SOURCES
  common/messages.cpp
  common/ply_writer.cpp
  common/options.cpp
  common/enter_prompt.cpp
  common/module_loader.cpp
  common/input_file.cpp
  common/bitmap_header.cpp
)
