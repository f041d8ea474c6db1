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


def escape_text(text):
    """A text value of vCard 3.0 and iCalendar: backslash, semicolon, comma and line breaks escaped."""
    for a, z in (("\\", "\\\\"), (";", "\\;"), (",", "\\,"), ("\n", "\\n")):
        text = text.replace(a, z)
    return text


def fold_line(line):
    """A content line folded at 75 octets, never inside a character."""
    out, part = bytearray(), bytearray()
    for ch in line:
        b = ch.encode("utf-8")
        if len(part) + len(b) > 75:
            out += part + b"\r\n"
            part = bytearray(b" ")
        part += b
    return bytes(out + part + b"\r\n")
