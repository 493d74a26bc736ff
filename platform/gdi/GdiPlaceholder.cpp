// Placeholder so the library has a translation unit.
