# CMake's DEB generator, less its ldconfig scripts. It writes a postinst and
# a postrm calling ldconfig for any shared object in /usr/lib or one folder
# below it, so also for the decoder library in our private lib/tovix/, which
# is not in the linker's path. A library that does belong there would need
# the trigger; lintian in deb_test reports it then (lacks-ldconfig-trigger).
include(${CMAKE_ROOT}/Modules/Internal/CPack/CPackDeb.cmake)
set(GEN_CPACK_DEBIAN_GENERATE_POSTINST 0)
set(GEN_CPACK_DEBIAN_GENERATE_POSTRM 0)
