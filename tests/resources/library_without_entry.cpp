// A library that loads but has no SkinH_AttachRes: only a look-alike name.

extern "C" __attribute__((visibility("default"))) int SkinH_Attach(const unsigned char*, int) {
    return 0;
}
