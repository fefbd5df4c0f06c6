# Sources of the helpers that the reconstruction, the model and the viewer
# share (common/geometry.h is header-only).
set(SCANNER_COMMON_SOURCES
  common/ply_writer.cpp
)
