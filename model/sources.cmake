# Sources of the polygon model.
set(MODEL_COMMON_SOURCES
  model/instruction_pool.cpp
  model/numeric_helpers.cpp
)
set(MODEL_CONFIG_SOURCES
  model/segment_growth.cpp
  model/segment_records.cpp
  model/triangle_emission.cpp
  model/polar_model.cpp
  model/projection_model.cpp
)
