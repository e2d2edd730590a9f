# Unity builds: each target's sources are compiled as a few larger units that include several
# .cpp files. Under the sanitizers most of a unit's time goes into what every unit repeats (the
# precompiled header loaded, Qt's and GoogleTest's inline templates instantiated and compiled),
# so fewer units make a much faster fresh build. A source file's internal names (anonymous
# namespaces, static functions) must therefore stay distinct across its folder.
option(TAMVEL_UNITY "Compile each target's sources in a few combined units" ON)
if(TAMVEL_UNITY)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 16)
endif()
# GCC takes a combined unit's included .cpp files for headers and warns when a class of the
# program holds a type of the file's anonymous namespace, which is sound in a .cpp file.
if(TAMVEL_UNITY AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wno-subobject-linkage)
endif()
