"""Small helpers shared by the benchmark data generators."""
import os


def write_atomically(path, data):
    """Writes bytes to path through a temporary file, so that an interrupted run never leaves a
    half-written file that the build would take as up to date."""
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    tmp = path + ".part"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def json_lines(objects):
    """One compact JSON object a line, UTF-8, LF line ends."""
    import json
    return "".join(json.dumps(o, ensure_ascii=False, separators=(",", ":")) + "\n"
                   for o in objects).encode("utf-8")


def count_arg(text):
    n = int(text)
    if n < 1:
        raise SystemExit("the count must be at least 1")
    return n
