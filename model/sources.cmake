# Sources of the polygon model.
set(MODEL_COMMON_SOURCES
  model/instruction_pool.cpp
  model/numeric_helpers.cpp
  model/triangle_geometry.cpp
  model/cuboid.cpp
  model/ply_writer.cpp
)
set(MODEL_CONFIG_SOURCES
  model/segment_table.cpp
  model/trimming.cpp
  model/averaging.cpp
  model/joining.cpp
  model/brute_force_model.cpp
  model/model_export.cpp
)
