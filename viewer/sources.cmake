# Sources of the viewer (all depend on the configuration's tables).
set(VIEWER_CONFIG_SOURCES
  viewer/graphics_calls.cpp
  viewer/drawing_trace.cpp
  viewer/camera.cpp
  viewer/arc.cpp
  viewer/polygon_walk.cpp
  viewer/polygon_fill.cpp
  viewer/tessellator_vertices.cpp
  viewer/polygon_outline.cpp
  viewer/surface_drawing.cpp
  viewer/scene_drawing.cpp
  viewer/window.cpp
  viewer/screenshot.cpp
  viewer/viewer_start.cpp
  viewer/viewer_tables.cpp
)
