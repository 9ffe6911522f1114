// makeart: draws the game's pictures and writes the character info files into the media folder given as
// the only argument, or with --icon FILE [SIZE] the desktop icon (SIZE 1 to 128, default 128). Everything is
// drawn from fixed seeds, so every run writes the same bytes.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "character.h"
#include "drawings.h"

int main(int argc, char** argv)
{
    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--icon") {
        const int size = argc == 4 ? std::atoi(argv[3]) : 128;
        if (size < 1 || size > 128) {
            std::printf("makeart: icon size must be 1 to 128\n");
            return 2;
        }
        return writePng(argv[2], makeIcon(size)) ? 0 : 1;
    }
    if (argc != 2) {
        std::printf("usage: makeart <media folder> | makeart --icon <file.png> [size]\n");
        return 2;
    }
    std::filesystem::path media = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(media / "bkground", ec);
    if (ec) {
        std::printf("makeart: cannot create %s\n", (media / "bkground").string().c_str());
        return 1;
    }
    bool ok = writePng(media / "bkground" / "woodCrap.png", makeBackground(), true) &&
              writePng(media / "bkground" / "drawBk.png", makeDrawArea(), true);
    ok = writeCharacter(media, "demoChar", drawHero, heroActions(), false, {85, 280}, {0, 95, 169, 471}) && ok;
    ok = writeCharacter(media, "demoBadguy", drawBrute, bruteActions(), true, {555, 280}, {472, 95, 640, 471}) && ok;
    if (!ok) {
        std::printf("makeart: failed\n");
        return 1;
    }
    return 0;
}
