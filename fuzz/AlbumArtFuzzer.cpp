// The album-art decoders (JPEG, PNG, GIF, BMP, told apart by content) on any picture file.
#include "FuzzSupport.h"

#include "tags/PictureLoader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    Fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = Fuzz::writeScratchFile(QStringLiteral("albumart.jpg"), Fuzz::bytes(data, size));

    // The home screen's picture box.
    const QSize box(280, 280);
    const QImage picture = PictureLoader::load(path, box);
    Fuzz::check(picture.isNull() || picture.size() == box, "a picture was not fitted to its box");
    return 0;
}
