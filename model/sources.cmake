# Sources of the polygon model.
set(MODEL_COMMON_SOURCES
  model/instruction_pool.cpp
  model/numeric_helpers.cpp
)
set(MODEL_CONFIG_SOURCES
)
