# 32-bit Linux: the portable tests with the x87 arithmetic and 32-bit layouts of the 32-bit
# Windows build, runnable on kernels that run no 32-bit programs, through qemu's user mode.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")

find_program(KB_QEMU_I386 NAMES qemu-i386-static qemu-i386)
if(KB_QEMU_I386)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KB_QEMU_I386})
endif()
