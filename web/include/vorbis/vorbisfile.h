// What the game asks of libogg and libvorbisfile, which this build has not: web/vorbis.cpp answers from the stream's
// pages and first header, and the page's own decoder reads the sound.
#ifndef QF_WEB_VORBISFILE_H
#define QF_WEB_VORBISFILE_H

#include <stddef.h>
#include <stdint.h>

typedef int64_t ogg_int64_t;

typedef struct {
    unsigned char* data;
    long fill, returned;
} ogg_sync_state;

typedef struct {
    unsigned char* header;
    long header_len;
    unsigned char* body;
    long body_len;
} ogg_page;

int ogg_sync_init(ogg_sync_state* sync);
int ogg_sync_clear(ogg_sync_state* sync);
char* ogg_sync_buffer(ogg_sync_state* sync, long size);
int ogg_sync_wrote(ogg_sync_state* sync, long bytes);
long ogg_sync_pageseek(ogg_sync_state* sync, ogg_page* page);
int ogg_page_eos(const ogg_page* page);
int ogg_page_serialno(const ogg_page* page);

typedef struct {
    int version, channels;
    long rate;
} vorbis_info;

typedef struct {
    size_t (*read_func)(void* ptr, size_t size, size_t nmemb, void* datasource);
    int (*seek_func)(void* datasource, ogg_int64_t offset, int whence);
    int (*close_func)(void* datasource);
    long (*tell_func)(void* datasource);
} ov_callbacks;

typedef struct {
    vorbis_info info;
    ogg_int64_t frames, unread;
} OggVorbis_File;

#define OV_ENOTVORBIS -132

int ov_open_callbacks(void* datasource, OggVorbis_File* vf, const char* initial, long ibytes, ov_callbacks callbacks);
vorbis_info* ov_info(OggVorbis_File* vf, int link);
ogg_int64_t ov_pcm_total(OggVorbis_File* vf, int link);
long ov_read(OggVorbis_File* vf, char* buffer, int length, int bigendianp, int word, int sgned, int* bitstream);
int ov_clear(OggVorbis_File* vf);

#endif
