// A library named like a module that has none of a module's exports.
extern "C" __attribute__((visibility("default"))) int VexorUnrelatedFunction() {
    return 7;
}
