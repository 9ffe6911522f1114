// libogg and libvorbisfile as far as the game's check of a sound file asks them (include/vorbis/vorbisfile.h). The
// pages are walked and their checksums checked as libogg does; a stream's format and length come from its first
// header and its last page. Its sound is the page's decoder's to read (the layer hands the bytes to
// decodeAudioData), so reading it here gives its length in silence.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <vorbis/vorbisfile.h>

namespace {
uint32_t le32(const unsigned char* p)
{
    return p[0] | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// The checksum of an Ogg page: CRC-32 with the polynomial 0x04C11DB7, unreflected, over the page with its own
// checksum field read as zero.
uint32_t checksum(const unsigned char* page, long size)
{
    uint32_t crc = 0;
    for (long i = 0; i < size; ++i) {
        crc ^= uint32_t(i >= 22 && i < 26 ? 0 : page[i]) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
    }
    return crc;
}

const unsigned char capture[] = {'O', 'g', 'g', 'S'};
} // namespace

int ogg_sync_init(ogg_sync_state* sync)
{
    *sync = {};
    return 0;
}

int ogg_sync_clear(ogg_sync_state* sync)
{
    std::free(sync->data);
    return ogg_sync_init(sync);
}

char* ogg_sync_buffer(ogg_sync_state* sync, long size)
{
    sync->data = static_cast<unsigned char*>(std::realloc(sync->data, size_t(sync->fill + size)));
    return reinterpret_cast<char*>(sync->data + sync->fill);
}

int ogg_sync_wrote(ogg_sync_state* sync, long bytes)
{
    sync->fill += bytes;
    return 0;
}

// As libogg: the length of the whole page found at the start, or 0 while it is not all there, or minus the bytes
// skipped up to the next page when what starts there is not one.
long ogg_sync_pageseek(ogg_sync_state* sync, ogg_page* page)
{
    unsigned char* p = sync->data + sync->returned;
    const long left = sync->fill - sync->returned;
    if (left < 27)
        return 0;
    if (std::memcmp(p, capture, 4) == 0) {
        const long header = 27 + p[26];
        long size = header;
        for (long i = 27; i < header && i < left; ++i)
            size += p[i];
        if (left < size)
            return 0;
        if (checksum(p, size) == le32(p + 22)) {
            *page = {p, header, p + header, size - header};
            sync->returned += size;
            return size;
        }
    }
    const long skip = long(std::search(p + 1, p + left, capture, capture + 4) - p);
    sync->returned += skip;
    return -skip;
}

int ogg_page_eos(const ogg_page* page) { return page->header[5] & 4; }

int ogg_page_serialno(const ogg_page* page) { return int(le32(page->header + 14)); }

int ov_open_callbacks(void* source, OggVorbis_File* vf, const char*, long, ov_callbacks callbacks)
{
    std::vector<unsigned char> bytes;
    unsigned char chunk[4096];
    for (size_t n; (n = callbacks.read_func(chunk, 1, sizeof chunk, source)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + n);
    *vf = {};
    // The first page holds the identification header alone: packet type 1, "vorbis", version 0, channels, rate.
    static const unsigned char id[] = {1, 'v', 'o', 'r', 'b', 'i', 's', 0, 0, 0, 0};
    const size_t at = bytes.size() > 27 ? 27 + bytes[26] : bytes.size();
    if (bytes.size() < at + 16 || !std::equal(id, id + sizeof id, bytes.begin() + long(at)))
        return OV_ENOTVORBIS;
    vf->info = {0, bytes[at + 11], long(le32(&bytes[at + 12]))};
    const long last = long(std::find_end(bytes.begin(), bytes.end(), capture, capture + 4) - bytes.begin());
    for (int i = 7; i >= 0 && size_t(last) + 14 <= bytes.size(); --i)
        vf->frames = vf->frames << 8 | bytes[size_t(last) + 6 + size_t(i)];
    vf->unread = vf->frames;
    return 0;
}

vorbis_info* ov_info(OggVorbis_File* vf, int) { return &vf->info; }

ogg_int64_t ov_pcm_total(OggVorbis_File* vf, int) { return vf->frames; }

long ov_read(OggVorbis_File* vf, char* buffer, int length, int, int word, int, int*)
{
    const int frame = word * std::max(vf->info.channels, 1);
    const ogg_int64_t frames = std::min<ogg_int64_t>(length / frame, vf->unread);
    std::memset(buffer, 0, size_t(frames * frame));
    vf->unread -= frames;
    return long(frames * frame);
}

int ov_clear(OggVorbis_File* vf)
{
    *vf = {};
    return 0;
}
