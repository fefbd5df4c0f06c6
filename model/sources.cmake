# Sources of the polygon model.
# The instruction pool and the model list, the box builder and the graph's
# triangles that fill them, and the surface the viewer shows are tables of the programs; the rest uses
# no global table (scanner_core).
set(MODEL_COMMON_SOURCES
  model/instruction_pool.cpp
  model/cuboid.cpp
  model/surface_mesh.cpp
  model/triangle_polygons.cpp
)
set(MODEL_CORE_SOURCES
  model/numeric_helpers.cpp
  model/triangle_geometry.cpp
  model/segment_grid.cpp
  model/segment_growth.cpp
  model/triangle_emission.cpp
  model/polar_graph.cpp
  model/projection_graph.cpp
  model/partner_lists.cpp
  model/mesh_analysis.cpp
  model/volume_check.cpp
  model/near_duplicates.cpp
  model/surface_reconstruction.cpp
  model/surface_export.cpp
)
set(MODEL_CONFIG_SOURCES
  model/trimming.cpp
  model/averaging.cpp
  model/joining.cpp
  model/brute_force_model.cpp
  model/model_export.cpp
  model/segment_table.cpp
  model/segment_records.cpp
  model/polar_model.cpp
  model/projection_model.cpp
  model/profile_model.cpp
)
