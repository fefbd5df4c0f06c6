#!/usr/bin/python3
"""dense_scan run for real on the six-angle turntable sample, and on bad input.

usage: dense_scan_test.py DECODER_SAMPLE MAKE_SAMPLE_SCENE DENSE_SCAN DENSE_REPORT MESH_REPORT PARENT_DIR [quick]

The sample is rendered into a new directory under PARENT_DIR, removed when
every check passes and kept (its path printed) when one fails. Checks:
- the console: one line per angle, the totals, the surface line;
- dense.ply and dense_surface.ply against the vase (dense_report): RMS at
  most 0.2, 99 % of the points within 0.5, coverage at least 95 %, the
  surface's vertices at most 0.2 RMS from the vase;
- the surface bounds a volume by mesh_report (CGAL) and by Open3D;
- one thread and two give the same files byte for byte;
- bad input: one message naming the file, status 1, no file written; an
  incomplete angle and an angle whose pairs are all dropped are warnings.
With "quick" (the sanitizer build, where rendering takes three times as
long) only the angles 0 and 60 are rendered and the figures of accuracy,
coverage and the surface, which need the whole object, are not checked.
Exit 0 when all pass, 1 when one fails, 77 when Open3D cannot be imported."""
import os
import re
import shutil
import subprocess
import sys
import tempfile

try:
    import open3d as o3d
except ImportError as e:
    print(f"dense_scan_test: skipped: Open3D cannot be imported ({e})", file=sys.stderr)
    sys.exit(77)

sample, make_scene, dense_scan, dense_report, mesh_report, parent = sys.argv[1:7]
quick = sys.argv[7:] == ["quick"]
ANGLES = [0, 60] if quick else [0, 60, 120, 180, 240, 300]
os.makedirs(parent, exist_ok=True)
work = tempfile.mkdtemp(prefix="dense-", dir=parent)
failures = []


def check(what, ok, detail=""):
    if not ok:
        failures.append(f"{what}: {detail}".rstrip(": "))
    return ok


def run(args, cwd=None):
    return subprocess.run(args, cwd=cwd, capture_output=True, text=True, timeout=900)


def number(pattern, text):
    m = re.search(pattern, text, re.M)
    return float(m.group(1)) if m else float("nan")


def linked_copy(name, leave_out=()):
    """A directory with links to the sample's files, less `leave_out`."""
    d = os.path.join(work, name)
    os.mkdir(d)
    for f in os.listdir(scene):
        if f not in leave_out and f.endswith(".bmp"):
            os.symlink(os.path.join(scene, f), os.path.join(d, f))
    return d


scene = os.path.join(work, "scene")
os.mkdir(scene)
made = run([sample, "--turntable", scene, "--angles", ",".join(map(str, ANGLES))])
if made.returncode != 0:
    print(f"FAILED decoder_sample: {made.stderr}", file=sys.stderr)
    sys.exit(1)

# ---- all angles, with two threads and with one --------------------------
two = run([dense_scan, "--dir", scene, "--jobs", "2"])
check("dense_scan --jobs 2 exit 0", two.returncode == 0, two.stderr)
check("no warning", quick or two.stderr == "", two.stderr)
out = two.stdout
for a in ANGLES:
    check(f"angle {a} line", re.search(rf"^angle {a}: pairs \d+, points \d+, dropped \d+, outliers \d+$", out, re.M), out)
check("totals line", re.search(rf"^total: {len(ANGLES)} angles, pairs \d+, points \d+, dropped \d+, outliers \d+$", out, re.M), out)
check("surface line", re.search(r"^surface: \d+ vertices, \d+ triangles, \d+ open edges, \d+ non-manifold edges, "
                                r"bounds a volume: " + ("" if quick else "yes$"), out, re.M), out)
check("time line", re.search(r"^time: decoding \d+ ms \(2 threads\), triangulation", out, re.M), out)
files = {f: open(os.path.join(scene, f), "rb").read() for f in ("dense.ply", "dense_surface.ply")}

one = run([dense_scan, "--dir", scene, "--jobs", "1"])
check("dense_scan --jobs 1 exit 0", one.returncode == 0, one.stderr)
for f, content in files.items():
    check(f"{f} the same with one thread", open(os.path.join(scene, f), "rb").read() == content)

if not quick:
    report = run([dense_report, scene])
    check("dense_report exit 0", report.returncode == 0, report.stderr)
    r = report.stdout
    print(out + r, end="")
    check("RMS <= 0.2", number(r"^RMS (\S+),", r) <= 0.2, r)
    check("99 % within 0.5", number(r"^within 0\.5 units: \d+ of \d+ \((\S+) %\)", r) >= 99.0, r)
    check("coverage >= 95 %", number(r"^coverage: (\S+) %", r) >= 95.0, r)
    check("surface RMS <= 0.2", number(r"^surface: \d+ vertices, RMS (\S+),", r) <= 0.2, r)

    ply = os.path.join(scene, "dense_surface.ply")
    mesh = run([mesh_report, ply]).stdout
    check("mesh_report: bounds a volume", "\nbounds a volume: yes\n" in mesh, mesh)
    check("mesh_report: positive volume", number(r"^signed volume: (\S+)$", mesh) > 0, mesh)
    m = o3d.io.read_triangle_mesh(ply)
    check("Open3D reads triangles", len(m.triangles) > 1000, str(len(m.triangles)))
    for name, value in [("is_edge_manifold", m.is_edge_manifold()), ("is_vertex_manifold", m.is_vertex_manifold()),
                        ("is_orientable", m.is_orientable()), ("not is_self_intersecting", not m.is_self_intersecting()),
                        ("is_watertight", m.is_watertight())]:
        check("Open3D " + name, value)
    cloud = o3d.io.read_point_cloud(os.path.join(scene, "dense.ply"))
    check("Open3D reads the points with normals and colours",
          len(cloud.points) > 3000 and cloud.has_normals() and cloud.has_colors(), str(cloud))

# ---- warnings: an incomplete angle, an angle whose pairs all drop --------
d = linked_copy("incomplete", {"060522.bmp"})
ran = run([dense_scan, "--dir", d, "--no-surface"])
check("incomplete angle: exit 0", ran.returncode == 0, ran.stderr)
check("incomplete angle: one warning naming the file",
      ran.stderr.count("\n") == 1 and "angle 60" in ran.stderr and "060522.bmp" in ran.stderr, ran.stderr)
check("incomplete angle: left out", "angle 60:" not in ran.stdout and f"total: {len(ANGLES) - 1} angles" in ran.stdout,
      ran.stdout)
check("--no-surface: no surface", not os.path.exists(os.path.join(d, "dense_surface.ply")))

# Camera 2's pictures of angle 0 moved down by 100 rows: every code still
# reads, but no pair's rays meet.
moved = {f for f in os.listdir(scene) if f.startswith("000") and f.endswith("2.bmp")}
d = linked_copy("moved", moved)
for f in moved:
    b = open(os.path.join(scene, f), "rb").read()
    start, row = int.from_bytes(b[10:14], "little"), 640
    check("sample bitmaps are 8-bit", b[28] == 8, f)
    pixels = b[start:start + row * 480]
    open(os.path.join(d, f), "wb").write(b[:start] + pixels[100 * row:] + pixels[:100 * row] + b[start + row * 480:])
ran = run([dense_scan, "--dir", d, "--no-surface"])
check("all pairs dropped: exit 0", ran.returncode == 0, ran.stderr)
check("all pairs dropped: a warning", "angle 0" in ran.stderr and "dropped" in ran.stderr, ran.stderr)

# ---- failures: one message naming the file, status 1, nothing written ----
def refused(name, directory, needle, extra=()):
    ran = run([dense_scan, "--dir", directory] + list(extra))
    check(f"{name}: status 1", ran.returncode == 1, ran.stdout + ran.stderr)
    check(f"{name}: one message naming {needle}", ran.stderr.count("\n") == 1 and needle in ran.stderr, ran.stderr)
    check(f"{name}: nothing written", not any(os.path.exists(os.path.join(directory, f))
                                              for f in ("dense.ply", "dense_surface.ply")))


empty = os.path.join(work, "empty")
os.mkdir(empty)
refused("no complete angle", empty, "AAAPFC.bmp")
refused("missing marker image", linked_copy("markers", {"160_k2_A.bmp"}), "160_k2_A.bmp")
d = linked_copy("truncated", {"060111.bmp"})
with open(os.path.join(scene, "060111.bmp"), "rb") as f:
    open(os.path.join(d, "060111.bmp"), "wb").write(f.read()[:5000])
refused("truncated image", d, "060111.bmp")
# A sound version 2 rig, but for pictures of another size.
lens = os.path.join(work, "lens")
check("make_sample_scene --lens", run([make_scene, "--out", lens, "--lens", "-0.25"]).returncode == 0)
d = linked_copy("rig")
rig = open(os.path.join(lens, "rig_truth.yml")).read()
check("a rig of 640 x 480", "image_size: [ 640, 480 ]" in rig, rig[:400])
open(os.path.join(d, "rig.yml"), "w").write(rig.replace("image_size: [ 640, 480 ]", "image_size: [ 1280, 960 ]"))
refused("rig of another image size", d, "rig.yml")
for usage in (["--jobs", "0"], ["--no-surface", "--screenshot", "x.png"]):
    ran = run([dense_scan, "--dir", empty] + usage)
    check(f"{' '.join(usage)}: usage error, nothing read", ran.returncode == 2 and "try 'dense_scan --help'" in ran.stderr,
          ran.stderr)

for f in failures:
    print("FAILED " + f, file=sys.stderr)
if failures:
    print(f"the runs are kept in {work}", file=sys.stderr)
    sys.exit(1)
shutil.rmtree(work)
