# Sources of the reconstruction pipeline: those that do not depend on the
# program's configuration are built once, the others once per program. The
# core's use no global table (scanner_core); the log is the programs' own.
set(RECONSTRUCTION_COMMON_SOURCES
  reconstruction/log_file.cpp
)
set(RECONSTRUCTION_CORE_SOURCES
  reconstruction/bitmap_reader.cpp
  reconstruction/atomic_file.cpp
  reconstruction/rig_file.cpp
  reconstruction/rig_file_v2.cpp
  reconstruction/lens_distortion.cpp
  reconstruction/marker_finding.cpp
  reconstruction/ray_triangulation.cpp
  reconstruction/turntable_axis.cpp
  reconstruction/turntable_frame.cpp
  reconstruction/upright_ply.cpp
)
set(RECONSTRUCTION_CONFIG_SOURCES
  reconstruction/scene_tables.cpp
  reconstruction/marker_scan.cpp
  reconstruction/triangulation.cpp
  reconstruction/scan_export.cpp
  reconstruction/calibration.cpp
  reconstruction/camera_rig.cpp
  reconstruction/rig_calibration.cpp
  reconstruction/rig_adjustment.cpp
)
