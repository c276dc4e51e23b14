# AddressSanitizer and UndefinedBehaviorSanitizer for the whole build when CHECKBILL_SANITIZE is on;
# ThreadSanitizer (which cannot be combined with them) when CHECKBILL_SANITIZE_THREAD is on.
if(CHECKBILL_SANITIZE AND CHECKBILL_SANITIZE_THREAD)
  message(FATAL_ERROR "CHECKBILL_SANITIZE and CHECKBILL_SANITIZE_THREAD exclude each other")
endif()
if(CHECKBILL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()
if(CHECKBILL_SANITIZE_THREAD)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()
