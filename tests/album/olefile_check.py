"""Writes an album with albora-cli and reads its "Contents" stream back with olefile."""
import os
import subprocess
import sys
import tempfile

import olefile

cli = sys.argv[1]
with tempfile.TemporaryDirectory() as folder:
    album = os.path.join(folder, "a.crp")
    subprocess.run([cli, "album", "new", album, "--created", str(0x386D4380)], check=True)
    subprocess.run([cli, "album", "add", album, "IMG_0000.jpg", "--name", "A",
                    "--time", str(0x386D4380)], check=True)
    assert olefile.isOleFile(album), "not a compound file"
    with olefile.OleFileIO(album) as ole:
        assert ole.listdir() == [["Contents"]], ole.listdir()
        stream = ole.openstream("Contents").read()
    expected = (bytes.fromhex("FFFF 0000 0C00") + b"CFotoObjList" + bytes.fromhex("0100")
                + bytes.fromhex("FFFF 0000 0800") + b"CFotoObj" + b"\x01A"
                + b"\x0eNo description" + b"\x0cIMG_0000.jpg" + bytes.fromhex("80436D38")
                + bytes(5) + bytes(2) + bytes.fromhex("80436D38") + b"\x00\x06KORVAT"
                + bytes(3))
    assert stream == expected, stream.hex()
print("1 passed, 0 failed")
