# Sources of the viewer (all depend on the configuration's tables).
set(VIEWER_CONFIG_SOURCES
)
