"""Writes a fixed time into a PE image, so that two links of the same code give the same bytes.

The linker (with --no-insert-timestamp) leaves 0 where it would put the link time: the COFF
header, the export directory and any debug directory. This puts the release's time there and
recomputes the optional header's checksum. An image that already carries a signature is refused:
changing it would break the signature."""
import struct

CHECKSUM_AT = 64  # within the optional header, for PE32 and PE32+ alike
DIRECTORIES_AT = {0x10B: 96, 0x20B: 112}
EXPORT, CERTIFICATE, DEBUG = 0, 4, 6
DEBUG_ENTRY_SIZE = 28


class PeError(Exception):
    pass


def _u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def _u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


def _layout(image):
    """The offsets of the COFF header and optional header, the directories and the sections."""
    if len(image) < 64 or image[:2] != b"MZ":
        raise PeError("not a PE image (no MZ header)")
    pe = _u32(image, 0x3C)
    if pe + 24 > len(image) or image[pe:pe + 4] != b"PE\0\0":
        raise PeError("not a PE image (no PE signature)")
    sections, optional_size = _u16(image, pe + 6), _u16(image, pe + 20)
    optional = pe + 24
    magic = _u16(image, optional)
    if magic not in DIRECTORIES_AT:
        raise PeError(f"unknown optional header magic {magic:#x}")
    count_at = optional + DIRECTORIES_AT[magic] - 4
    table = optional + optional_size
    if table + 40 * sections > len(image):
        raise PeError("section table beyond the end of the file")
    directories = []
    for index in range(min(_u32(image, count_at), (optional_size - DIRECTORIES_AT[magic]) // 8)):
        at = optional + DIRECTORIES_AT[magic] + 8 * index
        directories.append((_u32(image, at), _u32(image, at + 4)))
    section_list = [struct.unpack_from("<IIII", image, table + 40 * i + 8) for i in range(sections)]
    return pe, optional, directories, section_list


def _file_offset(sections, rva, size, length):
    """Where the RVA's SIZE bytes lie in the file; None when no section holds them whole."""
    for virtual_size, address, raw_size, raw_at in sections:
        if address <= rva and rva + size <= address + min(max(virtual_size, 1), raw_size):
            at = raw_at + rva - address
            return at if at + size <= length else None
    return None


def checksum(image, checksum_at):
    """The PE checksum: the 16-bit one's-complement sum of the file, its own field taken as 0,
    plus the file's length."""
    data = bytearray(image)
    data[checksum_at:checksum_at + 4] = bytes(4)
    if len(data) % 2:
        data.append(0)
    total = sum(struct.unpack(f"<{len(data) // 2}H", data))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def stamp(image, epoch):
    """IMAGE (bytes) with EPOCH as its link time everywhere the linker would write one."""
    image = bytearray(image)
    pe, optional, directories, sections = _layout(image)
    if len(directories) > CERTIFICATE and directories[CERTIFICATE][1]:
        raise PeError("the image is signed; stamp it before signing")
    struct.pack_into("<I", image, pe + 8, epoch)
    if len(directories) > EXPORT and directories[EXPORT][1]:
        at = _file_offset(sections, directories[EXPORT][0], 8, len(image))
        if at is None:
            raise PeError("the export directory lies outside the sections")
        struct.pack_into("<I", image, at + 4, epoch)
    if len(directories) > DEBUG and directories[DEBUG][1]:
        rva, size = directories[DEBUG]
        at = _file_offset(sections, rva, size, len(image))
        if at is None:
            raise PeError("the debug directory lies outside the sections")
        for entry in range(size // DEBUG_ENTRY_SIZE):
            struct.pack_into("<I", image, at + entry * DEBUG_ENTRY_SIZE + 4, epoch)
    struct.pack_into("<I", image, optional + CHECKSUM_AT, checksum(image, optional + CHECKSUM_AT))
    return bytes(image)


def link_time(image):
    """The COFF header's link time."""
    pe, _, _, _ = _layout(image)
    return _u32(image, pe + 8)
